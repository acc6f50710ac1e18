#include "ConfigState.h"

ConfigState &ConfigState::instance()
{
    static ConfigState state;
    return state;
}

void ConfigState::setConverterPath(const QString &path)
{
    m_converterPath = path;
    if (!m_converterPath.isEmpty() && !m_converterPath.endsWith('/'))
        m_converterPath += '/';
}
