#include "EditsJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <functional>
#include <limits>
#include <type_traits>

namespace {

// Whether a JSON number fits the field: one that does not is refused,
// not wrapped (converting it would be undefined, and the record would
// hold whatever the processor made of it).
template <class T>
bool fits(double d)
{
    if constexpr (std::is_floating_point_v<T>)
        return std::fabs(d) <= double(std::numeric_limits<T>::max());
    else
        return d > double(std::numeric_limits<T>::lowest()) - 1.0 && d < std::ldexp(1.0, std::numeric_limits<T>::digits);
}

// Reads the keys of one JSON object into fields; the first wrong type
// stops with an error naming the key.
class Reader {
public:
    Reader(const QJsonObject &object, const QString &path, QString *error)
        : m_object(object)
        , m_path(path)
        , m_error(error)
    {
    }

    bool ok() const { return m_ok; }

    template <class T>
    Reader &number(const char *key, T &field)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonValue v = m_object.value(key);
        if (!v.isDouble())
            return fail(key, "a number");
        if (!fits<T>(v.toDouble()))
            return fail(key, "a number in range");
        field = static_cast<T>(v.toDouble());
        return *this;
    }

    Reader &text(const char *key, std::string &field)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonValue v = m_object.value(key);
        if (!v.isString())
            return fail(key, "a string");
        field = v.toString().toStdString();
        return *this;
    }

    Reader &rect(const char *key, VERect &field)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonArray a = m_object.value(key).toArray();
        if (a.size() != 4)
            return fail(key, "[x, y, width, height]");
        for (const QJsonValue &v : a)
            if (!v.isDouble())
                return fail(key, "[x, y, width, height]");
        field = VERect{a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble()};
        return *this;
    }

    template <class T, size_t N>
    Reader &numbers(const char *key, std::array<T, N> &field)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonArray a = m_object.value(key).toArray();
        if (a.size() != static_cast<int>(N))
            return fail(key, QString("%1 numbers").arg(N));
        for (size_t i = 0; i < N; ++i)
            if (!a[static_cast<int>(i)].isDouble() || !fits<T>(a[static_cast<int>(i)].toDouble()))
                return fail(key, QString("%1 numbers in range").arg(N));
        for (size_t i = 0; i < N; ++i)
            field[i] = static_cast<T>(a[static_cast<int>(i)].toDouble());
        return *this;
    }

    Reader &doubles(const char *key, std::vector<double> &field)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonValue v = m_object.value(key);
        if (!v.isArray())
            return fail(key, "an array of numbers");
        field.clear();
        for (const QJsonValue &item : v.toArray())
            field.push_back(item.toDouble());
        return *this;
    }

    // A nested record read by body.
    Reader &object(const char *key, const std::function<bool(Reader &)> &body)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonValue v = m_object.value(key);
        if (!v.isObject())
            return fail(key, "an object");
        Reader inner(v.toObject(), m_path + key + ".", m_error);
        m_ok = body(inner) && inner.ok();
        return *this;
    }

    // The checked flags of a track list, by position.
    template <class Entry>
    Reader &selection(const char *key, std::vector<Entry> &entries)
    {
        if (!m_ok || !m_object.contains(key))
            return *this;
        const QJsonArray a = m_object.value(key).toArray();
        for (int i = 0; i < a.size() && i < static_cast<int>(entries.size()); ++i) {
            const QJsonValue v = a[i];
            entries[static_cast<size_t>(i)].selected = v.isObject() ? v.toObject().value("selected").toBool() : v.toBool();
        }
        return *this;
    }

private:
    Reader &fail(const char *key, const QString &expected)
    {
        if (m_error)
            *m_error = QString("%1%2 must be %3").arg(m_path, key, expected);
        m_ok = false;
        return *this;
    }

    QJsonObject m_object;
    QString m_path;
    QString *m_error;
    bool m_ok = true;
};

bool readOverlay(Reader &r, VEWatermarkSettings &o)
{
    r.text("text", o.text).number("textAlpha", o.textAlpha).number("textReserved", o.textReserved);
    r.number("textScaleX", o.textScaleX).number("textScaleY", o.textScaleY).number("textX", o.textX);
    r.number("textY", o.textY).number("textEnabled", o.textEnabled).number("textOnTop", o.textOnTop);
    r.text("fontName", o.fontName).number("fontSize", o.fontSize).number("bold", o.bold);
    r.number("italic", o.italic).number("underline", o.underline).number("strikeOut", o.strikeOut);
    r.number("fontColor", o.fontColor).number("shadowColor", o.shadowColor).number("outlineColor", o.outlineColor);
    r.number("shadowOffset", o.shadowOffset).number("outlineSize", o.outlineSize);
    r.number("textStartTime", o.textStartTime).number("textEndTime", o.textEndTime);
    r.number("spacingH", o.spacingH).number("spacingV", o.spacingV);
    r.text("imagePath", o.imagePath).number("imageFlag", o.imageFlag).number("imageReserved", o.imageReserved);
    r.number("imageAlpha", o.imageAlpha).number("imageScaleX", o.imageScaleX).number("imageScaleY", o.imageScaleY);
    r.number("imageX", o.imageX).number("imageY", o.imageY).number("imageEnabled", o.imageEnabled);
    r.text("imageAux", o.imageAux).numbers("imageInts", o.imageInts).number("frameType", o.frameType);
    r.number("imageStartTime", o.imageStartTime).number("imageEndTime", o.imageEndTime);
    r.rect("imageSourceRect", o.imageSourceRect).numbers("imageScale", o.imageScale);
    r.number("listIndex", o.listIndex);
    return r.ok();
}

bool readChoice(Reader &r, VETrackChoice &c)
{
    r.number("ProgramIndex", c.ProgramIndex).number("audioType", c.audioType).number("audioTrack", c.audioTrack);
    r.number("subtitleTrack", c.subtitleTrack).number("subtlType", c.subtlType).text("path", c.path);
    return r.ok();
}

} // namespace

bool applyEditsJson(const QByteArray &json, VEEditConfig &c, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                   : QString("the edits must be a JSON object");
        return false;
    }
    Reader r(doc.object(), QString(), error);
    r.object("crop", [&](Reader &k) {
        VECropSettings &s = c.crop;
        k.number("aspectMode", s.aspectMode).number("panScan", s.panScan).number("aspectNum", s.aspectNum);
        k.number("aspectDen", s.aspectDen).number("rotation", s.rotation).number("mirrored", s.mirrored);
        k.number("padEnabled", s.padEnabled).number("fillColor", s.fillColor);
        k.rect("cropRect", s.cropRect).rect("panRect", s.panRect);
        return k.ok();
    });
    r.object("picture", [&](Reader &k) {
        VEPictureAdjust &p = c.picture;
        k.number("brightness", p.brightness).number("saturation", p.saturation).number("contrast", p.contrast);
        k.number("hue", p.hue);
        return k.ok();
    });
    r.object("effectOverlay", [&](Reader &k) { return readOverlay(k, c.effectOverlay); });
    r.object("frameOverlay", [&](Reader &k) { return readOverlay(k, c.frameOverlay); });
    r.object("watermark", [&](Reader &k) { return readOverlay(k, c.watermark); });
    r.object("streamChoice", [&](Reader &k) { return readChoice(k, c.streamChoice); });
    r.selection("subtitleTracks", c.subtitleTracks).selection("audioTracks", c.audioTracks);
    r.object("subtitleStyle", [&](Reader &k) {
        VESubtitleStyle &s = c.subtitleStyle;
        k.number("alpha", s.alpha).numbers("scale", s.scale).text("fontName", s.fontName);
        k.number("fontSize", s.fontSize).number("bold", s.bold).number("italic", s.italic);
        k.number("underline", s.underline).number("strikeOut", s.strikeOut).number("fontColor", s.fontColor);
        k.number("shadowColor", s.shadowColor).number("outlineColor", s.outlineColor);
        k.number("shadowOffset", s.shadowOffset).number("outlineSize", s.outlineSize).number("position", s.position);
        k.number("spacingH", s.spacingH).number("spacingV", s.spacingV).number("marginH", s.marginH);
        k.number("margin", s.margin);
        return k.ok();
    });
    r.object("audio", [&](Reader &k) {
        VEAudioSettings &a = c.audio;
        k.text("backgroundPath", a.backgroundPath).number("repeat", a.repeat).number("volume", a.volume);
        k.number("weight", a.weight).number("bgStartTime", a.bgStartTime).number("bgEndTime", a.bgEndTime);
        return k.ok();
    });
    r.object("soundEffect", [&](Reader &k) {
        VESoundEffect &e = c.soundEffect;
        k.number("volume", e.volume).number("rate", e.rate).doubles("eqFrequencies", e.eqFrequencies);
        k.doubles("eqGains", e.eqGains).number("effectIndex", e.effectIndex);
        k.number("fadeIn", e.fadeIn).number("fadeOut", e.fadeOut);
        return k.ok();
    });
    r.number("displayWidth", c.displayWidth).number("displayHeight", c.displayHeight);
    if (r.ok() && c.soundEffect.eqFrequencies.size() != c.soundEffect.eqGains.size()) {
        if (error)
            *error = "soundEffect.eqFrequencies and eqGains must have the same length";
        return false;
    }
    return r.ok();
}
