#include "EffectNames.h"

#include <QCoreApplication>

namespace {
// The names the installed content carries, for the translators.
[[maybe_unused]] const char *const kInstalledNames[] = {
    QT_TRANSLATE_NOOP("EffectLibrary", "None"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Snow"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Rain"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Bubbles"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Sparkles"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Falling Leaves"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Light Leak"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Film Grain"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Confetti"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Gold"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Wood"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Film Strip"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Instant Photo"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Rounded"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Neon"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Dots"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Vignette"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Bass Boost"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Treble Boost"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Voice"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Radio"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Telephone"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Stadium"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Slow"),
    QT_TRANSLATE_NOOP("EffectLibrary", "Fast"),
};
} // namespace

QString effectDisplayName(const QString &name)
{
    return QCoreApplication::translate("EffectLibrary", name.toUtf8().constData());
}
