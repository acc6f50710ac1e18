#include "WorkState.h"

#include "EditRecordJson.h"

bool OutputState::operator==(const OutputState &o) const
{
    // The engine's parameters compare as the project writes them: every
    // value it keeps, custom ones too.
    return lossless == o.lossless && encodingCategory == o.encodingCategory && encodingId == o.encodingId
        && losslessCategory == o.losslessCategory && losslessId == o.losslessId && quality == o.quality
        && frameExact == o.frameExact && merge == o.merge
        && projectjson::paramsToJson(params) == projectjson::paramsToJson(o.params);
}
