#pragma once
// The process-wide configuration state: the current output root folder and
// the output-naming fields, which only the output naming sets. No file is
// read or written here. Interface thread only.
#include <QString>

struct OutputFormatParams;

class ConfigState {
public:
    static ConfigState &instance();

    // Output root folder, ending with "/".
    QString converterPath() const { return m_converterPath; }
    void setConverterPath(const QString &path);

    // Naming fields, set by the output naming.
    QString sourceName() const { return m_sourceName; }
    QString sourceSuffix() const { return m_sourceSuffix; }
    QString adjustFileName() const { return m_adjustFileName; }
    QString outputDir() const { return m_outputDir; }
    QString outputName() const { return m_sOutputName; }
    OutputFormatParams *formatParams() const { return m_formatParams; }
    int convertedCount() const { return m_convertedCount; }

    void setSource(const QString &name, const QString &suffix)
    {
        m_sourceName = name;
        m_sourceSuffix = suffix;
    }
    void setAdjustFileName(const QString &name) { m_adjustFileName = name; }
    void setOutputDir(const QString &dir) { m_outputDir = dir; }
    void setOutputName(const QString &path) { m_sOutputName = path; }
    void setFormatParams(OutputFormatParams *params) { m_formatParams = params; }
    void setConvertedCount(int count) { m_convertedCount = count; }

private:
    ConfigState() = default;

    QString m_converterPath;
    QString m_sourceName;
    QString m_sourceSuffix;
    QString m_adjustFileName;
    QString m_outputDir;
    QString m_sOutputName;
    OutputFormatParams *m_formatParams = nullptr;
    int m_convertedCount = 0;
};
