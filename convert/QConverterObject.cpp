#include "QConverterObject.h"

#include "CAVConverter.h"
#include "ConfigState.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "ParserXML.h"
#include "SystemCommand.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

QConverterObject::QConverterObject(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<convertState>("convertState");
    connect(this, &QConverterObject::seedConvertPro, this, &QConverterObject::UpdataConverPro);
    connect(this, &QConverterObject::emitConvertedFinish, this, &QConverterObject::converterFinishCount);
}

QConverterObject::~QConverterObject()
{
    delete m_converter;
    delete m_merger;
}

void QConverterObject::progressCallback(int32_t percent, void *context, int32_t state)
{
    auto *self = static_cast<QConverterObject *>(context);
    emit self->seedConvertPro(static_cast<uint>(percent < 0 ? 0 : percent), static_cast<convertState>(state));
}

void QConverterObject::startConvert(bool merge)
{
    m_merge = merge;
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    if (items->count() == 0)
        return;
    m_queue.clear();
    for (int i = 0; i < items->count(); ++i)
        if (VoVideoConvertItem *item = items->itemAt(i))
            m_queue.append(item);
    if (m_queue.isEmpty())
        return;
    emit emitIsStartConverter(true);
    m_index = 0;
    convertItem(m_queue.first(), true);
}

void QConverterObject::convertItem(VoVideoConvertItem *item, bool first)
{
    Q_UNUSED(first);
    if (!item)
        return;
    m_current = item;
    if (m_cancelled) {
        stopAll();
        m_cancelled = false;
        return;
    }
    const QByteArray source = item->m_videoPath.toUtf8();
    // A merge writes one file: later ranges need no name of their own, and
    // the name handed out last must stay the merged file's, so that a
    // failure removes that file.
    const QByteArray destination =
        (m_merge && m_merger ? m_mergedPath : getConvertPath()).toUtf8();
    std::unique_ptr<ConvertJob> job(item->assembleConvertJob(OutputFormatParams::instance()));

    bool ok = false;
    if (m_merge) {
        if (!m_merger) {
            m_mergedPath = QString::fromUtf8(destination);
            m_merger = new CAVConverter();
            if (!m_merger->OpenMerger(destination.constData(), *job)) {
                qDebug() << "merge output could not be opened:" << QString::fromStdString(m_merger->lastError());
                emit emitConvertedFinish(false);
                return;
            }
        }
        ok = m_merger->AddMergeSegment(source.constData(), *job, this, &QConverterObject::progressCallback);
        if (!ok)
            qDebug() << "range could not be added:" << QString::fromStdString(m_merger->lastError());
    } else {
        delete m_converter;
        m_converter = new CAVConverter();
        ok = m_converter->StartConvert(source.constData(), destination.constData(), *job, this,
                                       &QConverterObject::progressCallback, false);
        if (!ok)
            qDebug() << "conversion could not start:" << QString::fromStdString(m_converter->lastError());
    }
    if (!ok)
        emit emitConvertedFinish(false);
}

void QConverterObject::UpdataConverPro(uint nPro, convertState state)
{
    const int n = VoVideoConvertManager::instance()->count();
    const float share = n == 0 ? 100.0f : 100.0f / static_cast<float>(n);
    const int overall = static_cast<int>(static_cast<float>(m_index) * share + share * static_cast<float>(nPro) / 100.0f);
    emit emitConvertProToCtrl(overall);
    if (state == convertFinished) {
        emit emitConvertedFinish(true);
    } else if (state != convertProgress) {
        // A conversion that failed while running says why in the log, as
        // one that could not start does.
        const CAVConverter *converter = m_merge ? m_merger : m_converter;
        if (state == convertOpenFailed && converter)
            qDebug() << "conversion failed:" << QString::fromStdString(converter->lastError());
        emit emitConvertedFinish(false);
    }
}

void QConverterObject::converterFinishCount(bool ok)
{
    ConfigState &config = ConfigState::instance();
    if (ok)
        config.setConvertedCount(config.convertedCount() + 1);

    m_queue.removeOne(m_current);
    if (m_queue.isEmpty()) {
        if (m_merge && m_merger) {
            m_merger->StopMerger(false);
            // A merged file that could not be completed is a failure, not
            // a finished file.
            if (ok && !m_merger->mergedFileComplete()) {
                ok = false;
                config.setConvertedCount(config.convertedCount() - 1);
            }
            delete m_merger;
            m_merger = nullptr;
        }
        emit emitIsStartConverter(false);
    }

    const int itemCount = VoVideoConvertManager::instance()->count();
    if (ok) {
        if (!m_merge) {
            emit emitConvertedFinishCount();
            if (m_index + 1 < itemCount) {
                ++m_index;
                if (!m_queue.isEmpty())
                    convertItem(m_queue.first(), false);
            }
        } else {
            if (m_index + 1 < itemCount) {
                ++m_index;
                if (!m_queue.isEmpty())
                    convertItem(m_queue.first(), false);
            } else {
                emit emitConvertedFinishCount();
            }
        }
        if (m_queue.isEmpty()
            && ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N") == QLatin1String("Y")) {
            qDebug("\n\n\nshutdown---------\n\n\n");
            powerOffComputer();
        }
        return;
    }

    // Failure or cancel: the partial output goes, and with it the item's
    // folder when nothing else is in it.
    if (!config.outputName().isEmpty())
        QFile::remove(config.outputName());
    const QString dir = config.outputDir();
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) {
        const int entries = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size();
        qDebug() << "output folder entries:" << entries << dir;
        if (entries == 0)
            QDir().rmdir(dir);
    }
    if (m_merger) {
        m_merger->StopMerger(false);
        delete m_merger;
        m_merger = nullptr;
    }
    if (!m_cancelled && !m_queue.isEmpty())
        emit emitIsStartConverter(false);
    m_queue.clear();
}

void QConverterObject::OnCancelConvert()
{
    stopAll();
    m_queue.clear();
    emit emitIsStartConverter(false);
}

void QConverterObject::stopAll()
{
    m_cancelled = true;
    if (m_merge) {
        if (m_merger) {
            m_merger->StopMerger(true);
            delete m_merger;
            m_merger = nullptr;
        }
    } else if (m_converter) {
        m_converter->StopConvert();
        delete m_converter;
        m_converter = nullptr;
    }
}
