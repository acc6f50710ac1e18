// "Apply to all": the parts a tab records at the press, and how they are
// copied into the other items.
#include "QAdjustOperationForm.h"
#include "QAudioOperationForm.h"
#include "QEffectOperationForm.h"
#include "QSubtitleOperationForm.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QWatermarkOperationForm.h"

#include <QFileInfo>

void QVideoEditingDlg::onApplyToAll()
{
    const VEEditConfig now = m_settings->config();
    VEEditConfig &s = m_applyAll.parts;
    QObject *from = sender();
    if (from == m_adjustForm) {
        s.crop = now.crop;
        m_applyAll.crop = true;
    } else if (from == m_effectForm) {
        s.picture = now.picture;
        s.effectOverlay = now.effectOverlay;
        s.frameOverlay = now.frameOverlay;
        m_applyAll.picture = m_applyAll.effectOverlay = m_applyAll.frameOverlay = true;
    } else if (from == m_watermarkForm) {
        s.watermark = now.watermark;
        m_applyAll.watermark = true;
    } else if (from == m_subtitleForm) {
        s.trackChoice.subtitleTrack = now.trackChoice.subtitleTrack;
        s.trackChoice.path = now.trackChoice.path;
        s.streamChoice.subtitleTrack = now.streamChoice.subtitleTrack;
        s.streamChoice.path = now.streamChoice.path;
        s.streamChoice.subtlType = now.streamChoice.subtlType;
        s.subtitleTracks = now.subtitleTracks;
        s.subtitleStyle = now.subtitleStyle;
        m_applyAll.subtitleChoice = m_applyAll.subtitleStyle = true;
    } else if (from == m_audioForm) {
        s.trackChoice.audioTrack = now.trackChoice.audioTrack;
        s.streamChoice.audioType = now.streamChoice.audioType;
        s.streamChoice.audioTrack = now.streamChoice.audioTrack;
        s.audioTracks = now.audioTracks;
        s.audio = now.audio;
        s.soundEffect = now.soundEffect;
        m_applyAll.audioChoice = m_applyAll.audio = m_applyAll.soundEffect = true;
    }
}

void QVideoEditingDlg::applyAllTo(VEEditConfig &target) const
{
    const ApplyAllStore &a = m_applyAll;
    const VEEditConfig &s = a.parts;
    if (a.crop)
        target.crop = s.crop;
    if (a.picture)
        target.picture = s.picture;
    if (a.watermark)
        target.watermark = s.watermark;
    if (a.effectOverlay)
        target.effectOverlay = s.effectOverlay;
    if (a.frameOverlay)
        target.frameOverlay = s.frameOverlay;
    if (a.watermark || a.effectOverlay || a.frameOverlay) {
        // Shown from the target's own range start.
        target.watermark.textStartTime = target.trimStart;
        target.watermark.imageStartTime = target.trimStart;
    }
    if (a.subtitleChoice) {
        target.trackChoice.subtitleTrack = s.trackChoice.subtitleTrack;
        target.trackChoice.path = s.trackChoice.path;
        if (!s.trackChoice.path.empty()) {
            int found = -1;
            for (size_t i = 0; i < target.subtitleChoices.size(); ++i)
                if (target.subtitleChoices[i].path == s.trackChoice.path) {
                    found = static_cast<int>(i);
                    break;
                }
            if (found < 0) {
                const QFileInfo file(QString::fromStdString(s.trackChoice.path));
                VESubtitleChoice choice;
                choice.text = QStringLiteral("(%2)[%1]")
                                  .arg(file.suffix().toUpper(), file.completeBaseName())
                                  .toStdString();
                choice.path = s.trackChoice.path;
                target.subtitleChoices.push_back(choice);
                found = static_cast<int>(target.subtitleChoices.size()) - 1;
            }
            target.trackChoice.subtitleTrack = found;
        }
        target.streamChoice.subtitleTrack = s.streamChoice.subtitleTrack;
        target.streamChoice.path = s.streamChoice.path;
        target.streamChoice.subtlType = s.streamChoice.subtlType;
        target.subtitleTracks = s.subtitleTracks;
    }
    if (a.audioChoice) {
        target.trackChoice.audioTrack = s.trackChoice.audioTrack;
        target.streamChoice.audioType = s.streamChoice.audioType;
        target.streamChoice.audioTrack = s.streamChoice.audioTrack;
        target.audioTracks = s.audioTracks;
    }
    if (a.subtitleStyle)
        target.subtitleStyle = s.subtitleStyle;
    if (a.audio) {
        target.audio = s.audio;
        target.audio.bgStartTime = target.trimStart;
    }
    if (a.soundEffect)
        target.soundEffect = s.soundEffect;
}
