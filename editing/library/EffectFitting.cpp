#include "EffectFitting.h"

#include <cmath>

namespace effectfit {

namespace {

constexpr double kExact = 0.0000001;

double proportion(int width, int height)
{
    return width == 0 || height == 0 ? -1.0 : double(width) / height;
}

} // namespace

int choosePicture(const QList<FramePicture> &pictures, int videoWidth, int videoHeight, bool lastExactWins)
{
    if (pictures.isEmpty())
        return -1;
    const double wanted = proportion(videoWidth, videoHeight);
    int chosen = 0;
    double best = std::fabs(proportion(pictures[0].width, pictures[0].height) - wanted);
    for (int i = 0; i < pictures.size(); ++i) {
        const double difference = std::fabs(proportion(pictures[i].width, pictures[i].height) - wanted);
        if (difference < kExact) {
            chosen = i;
            if (!lastExactWins)
                break;
            best = difference;
            continue;
        }
        if (difference < best) {
            best = difference;
            chosen = i;
        }
    }
    return chosen;
}

VERect coverSourceRect(const FramePicture &picture, int videoWidth, int videoHeight)
{
    VERect r;
    if (picture.width <= 0 || picture.height <= 0 || videoWidth <= 0 || videoHeight <= 0)
        return r;
    const double pictureProportion = double(picture.width) / picture.height;
    const double videoProportion = double(videoWidth) / videoHeight;
    // Scaled size of the picture in video pixels and the offsets of the
    // visible part, whole pixels as the fitting has always counted them.
    long long scaledW = 0, scaledH = 0, x = 0, y = 0;
    if (videoProportion < pictureProportion) {
        scaledH = videoHeight;
        scaledW = static_cast<long long>(videoHeight) * picture.width / picture.height;
        x = (scaledW - videoWidth) / 2;
    } else {
        scaledW = videoWidth;
        scaledH = static_cast<long long>(videoWidth) * picture.height / picture.width;
        y = (scaledH - videoHeight) / 2;
    }
    if (scaledW <= 0 || scaledH <= 0)
        return r;
    r.x = double(x) / scaledW;
    r.y = double(y) / scaledH;
    r.width = double(videoWidth) / scaledW;
    r.height = double(videoHeight) / scaledH;
    return r;
}

} // namespace effectfit
