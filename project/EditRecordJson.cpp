#include "EditRecordJson.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <cmath>
#include <limits>
#include <type_traits>

namespace projectjson {
namespace {

// Binary data (codec private data, a cover picture) travels as base64.
QString toBase64(const char *data, size_t size)
{
    return QString::fromLatin1(QByteArray(data, int(size)).toBase64());
}

// One visitor walks every record for both directions, so a field added to
// a record is added to reading and writing in one place.
class Writer {
public:
    QJsonObject obj;

    void field(const char *key, bool v) { obj.insert(QLatin1String(key), v); }
    void field(const char *key, int v) { obj.insert(QLatin1String(key), v); }
    void field(const char *key, uint32_t v) { obj.insert(QLatin1String(key), double(v)); }
    void field(const char *key, int64_t v) { obj.insert(QLatin1String(key), double(v)); }
    void field(const char *key, uint64_t v) { obj.insert(QLatin1String(key), double(v)); }
    void field(const char *key, double v) { obj.insert(QLatin1String(key), v); }
    void field(const char *key, std::string &v) { obj.insert(QLatin1String(key), QString::fromStdString(v)); }
    void field(const char *key, QString &v) { obj.insert(QLatin1String(key), v); }
    void field(const char *key, QStringList &v) { obj.insert(QLatin1String(key), QJsonArray::fromStringList(v)); }
    template <size_t N> void field(const char *key, std::array<int, N> &v) { numbers(key, v); }
    template <size_t N> void field(const char *key, std::array<double, N> &v) { numbers(key, v); }
    void field(const char *key, std::vector<double> &v) { numbers(key, v); }
    template <size_t N> void bytes(const char *key, std::array<uint8_t, N> &v)
    {
        obj.insert(QLatin1String(key), toBase64(reinterpret_cast<const char *>(v.data()), N));
    }
    void bytes(const char *key, std::vector<uint8_t> &v)
    {
        obj.insert(QLatin1String(key), toBase64(reinterpret_cast<const char *>(v.data()), v.size()));
    }
    void bytes(const char *key, std::string &v) { obj.insert(QLatin1String(key), toBase64(v.data(), v.size())); }
    template <class T> void object(const char *key, T &record)
    {
        Writer inner;
        visit(inner, record);
        obj.insert(QLatin1String(key), inner.obj);
    }
    template <class T> void list(const char *key, std::vector<T> &records)
    {
        QJsonArray array;
        for (T &record : records) {
            Writer inner;
            visit(inner, record);
            array.append(inner.obj);
        }
        obj.insert(QLatin1String(key), array);
    }

private:
    template <class C> void numbers(const char *key, const C &values)
    {
        QJsonArray array;
        for (auto v : values)
            array.append(double(v));
        obj.insert(QLatin1String(key), array);
    }
};

class Reader {
public:
    Reader(const QJsonObject &o, const QString &where, QString *error) : obj(o), path(where), err(error) {}
    bool ok() const { return err->isEmpty(); }

    void field(const char *key, bool &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        if (!j.isBool())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "true or false"));
        v = j.toBool();
    }
    void field(const char *key, int &v) { integer(key, v); }
    void field(const char *key, uint32_t &v) { integer(key, v); }
    void field(const char *key, int64_t &v) { integer(key, v); }
    void field(const char *key, uint64_t &v) { integer(key, v); }
    void field(const char *key, double &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        if (!j.isDouble())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a number"));
        v = j.toDouble();
    }
    void field(const char *key, std::string &v)
    {
        QString s;
        if (text(key, s))
            v = s.toStdString();
    }
    void field(const char *key, QString &v) { text(key, v); }
    void field(const char *key, QStringList &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        if (!j.isArray())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list of texts"));
        QStringList out;
        for (const QJsonValue &e : j.toArray()) {
            if (!e.isString())
                return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list of texts"));
            out << e.toString();
        }
        v = out;
    }
    template <size_t N> void field(const char *key, std::array<int, N> &v) { fixedNumbers(key, v); }
    template <size_t N> void field(const char *key, std::array<double, N> &v) { fixedNumbers(key, v); }
    void field(const char *key, std::vector<double> &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        if (!j.isArray())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list of numbers"));
        std::vector<double> out;
        for (const QJsonValue &e : j.toArray()) {
            if (!e.isDouble())
                return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list of numbers"));
            out.push_back(e.toDouble());
        }
        v = out;
    }
    template <size_t N> void bytes(const char *key, std::array<uint8_t, N> &v)
    {
        QByteArray data;
        if (!base64(key, data))
            return;
        if (data.size() != int(N))
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "base64 data of the right length"));
        std::copy(data.cbegin(), data.cend(), v.begin());
    }
    void bytes(const char *key, std::vector<uint8_t> &v)
    {
        QByteArray data;
        if (base64(key, data))
            v.assign(data.cbegin(), data.cend());
    }
    void bytes(const char *key, std::string &v)
    {
        QByteArray data;
        if (base64(key, data))
            v = data.toStdString();
    }
    template <class T> void object(const char *key, T &record)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        if (!j.isObject())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "an object"));
        Reader inner(j.toObject(), child(key), err);
        visit(inner, record);
    }
    template <class T> void list(const char *key, std::vector<T> &records)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        if (!j.isArray())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list"));
        std::vector<T> out;
        const QJsonArray array = j.toArray();
        for (int i = 0; i < array.size() && ok(); ++i) {
            const QString at = QStringLiteral("%1[%2]").arg(child(key)).arg(i);
            if (!array.at(i).isObject()) {
                *err = QCoreApplication::translate("ProjectFile", "%1 should be %2.")
                           .arg(at, QCoreApplication::translate("ProjectFile", "an object"));
                return;
            }
            T record;
            Reader inner(array.at(i).toObject(), at, err);
            visit(inner, record);
            out.push_back(std::move(record));
        }
        if (ok())
            records = std::move(out);
    }

private:
    QString child(const char *key) const
    {
        return path.isEmpty() ? QLatin1String(key) : path + QLatin1Char('.') + QLatin1String(key);
    }
    void fail(const char *key, const char *expected)
    {
        if (ok())
            *err = QCoreApplication::translate("ProjectFile", "%1 should be %2.")
                       .arg(child(key), QCoreApplication::translate("ProjectFile", expected));
    }
    template <class T> void integer(const char *key, T &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        const double d = j.toDouble(std::nan(""));
        // Doubles hold whole numbers exactly up to 2^53; times in
        // microseconds stay far below that.
        if (!j.isDouble() || std::floor(d) != d || d < double(std::numeric_limits<T>::lowest())
            || d > double(std::numeric_limits<T>::max()) || std::fabs(d) > 9007199254740992.0)
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a whole number in range"));
        v = static_cast<T>(d);
    }
    bool text(const char *key, QString &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return false;
        if (!j.isString()) {
            fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a text"));
            return false;
        }
        v = j.toString();
        return true;
    }
    bool base64(const char *key, QByteArray &out)
    {
        QString s;
        if (!text(key, s))
            return false;
        const auto decoded = QByteArray::fromBase64Encoding(s.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            fail(key, QT_TRANSLATE_NOOP("ProjectFile", "base64 data"));
            return false;
        }
        out = decoded.decoded;
        return true;
    }
    template <class A> void fixedNumbers(const char *key, A &v)
    {
        const QJsonValue j = obj.value(QLatin1String(key));
        if (j.isUndefined())
            return;
        const QJsonArray a = j.toArray();
        if (!j.isArray() || a.size() != int(v.size()))
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list of numbers of the right length"));
        using T = typename A::value_type;
        for (int i = 0; i < a.size(); ++i) {
            if (!a.at(i).isDouble())
                return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a list of numbers of the right length"));
            // A number the field cannot hold is refused, not wrapped.
            const double d = a.at(i).toDouble();
            if (!(d >= double(std::numeric_limits<T>::lowest()) && d <= double(std::numeric_limits<T>::max())))
                return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a whole number in range"));
            v[size_t(i)] = static_cast<T>(d);
        }
    }

    QJsonObject obj;
    QString path;
    QString *err;
};

// The keys are the records' member names, so that the format reads like
// the records it holds.
template <class V> void visit(V &v, VERect &r)
{
    v.field("x", r.x);
    v.field("y", r.y);
    v.field("width", r.width);
    v.field("height", r.height);
}

template <class V> void visit(V &v, VECropSettings &c)
{
    v.field("aspectMode", c.aspectMode);
    v.field("panScan", c.panScan);
    v.field("aspectNum", c.aspectNum);
    v.field("aspectDen", c.aspectDen);
    v.field("reservedA", c.reservedA);
    v.field("reservedB", c.reservedB);
    v.field("rotation", c.rotation);
    v.field("mirrored", c.mirrored);
    v.field("padEnabled", c.padEnabled);
    v.field("fillColor", c.fillColor);
    v.object("cropRect", c.cropRect);
    v.object("panRect", c.panRect);
}

template <class V> void visit(V &v, VEPictureAdjust &p)
{
    v.field("brightness", p.brightness);
    v.field("reserved", p.reserved);
    v.field("saturation", p.saturation);
    v.field("contrast", p.contrast);
    v.field("hue", p.hue);
}

template <class V> void visit(V &v, VEWatermarkSettings &w)
{
    v.field("text", w.text);
    v.field("textAlpha", w.textAlpha);
    v.field("textReserved", w.textReserved);
    v.field("textScaleX", w.textScaleX);
    v.field("textScaleY", w.textScaleY);
    v.field("textX", w.textX);
    v.field("textY", w.textY);
    v.field("textEnabled", w.textEnabled);
    v.field("textOnTop", w.textOnTop);
    v.field("fontName", w.fontName);
    v.field("fontSize", w.fontSize);
    v.field("bold", w.bold);
    v.field("italic", w.italic);
    v.field("underline", w.underline);
    v.field("strikeOut", w.strikeOut);
    v.field("fontColor", w.fontColor);
    v.field("shadowColor", w.shadowColor);
    v.field("outlineColor", w.outlineColor);
    v.field("shadowOffset", w.shadowOffset);
    v.field("outlineSize", w.outlineSize);
    v.field("textStartTime", w.textStartTime);
    v.field("textEndTime", w.textEndTime);
    v.field("textAuxA", w.textAuxA);
    v.field("textAuxB", w.textAuxB);
    v.field("textWidth", w.textWidth);
    v.field("textHeight", w.textHeight);
    v.field("spacingH", w.spacingH);
    v.field("spacingV", w.spacingV);
    v.field("textAuxC", w.textAuxC);
    v.field("textAuxD", w.textAuxD);
    v.field("imagePath", w.imagePath);
    v.field("imageFlag", w.imageFlag);
    v.field("imageReserved", w.imageReserved);
    v.field("imageAlpha", w.imageAlpha);
    v.field("imageScaleX", w.imageScaleX);
    v.field("imageScaleY", w.imageScaleY);
    v.field("imageX", w.imageX);
    v.field("imageY", w.imageY);
    v.field("imageEnabled", w.imageEnabled);
    v.field("imageAux", w.imageAux);
    v.field("imageInts", w.imageInts);
    v.field("frameType", w.frameType);
    v.field("imageStartTime", w.imageStartTime);
    v.field("imageEndTime", w.imageEndTime);
    v.field("imageInts2", w.imageInts2);
    v.object("imageSourceRect", w.imageSourceRect);
    v.field("imageScale", w.imageScale);
    v.field("imageWidth", w.imageWidth);
    v.field("imageHeight", w.imageHeight);
    v.field("overlayReserved", w.overlayReserved);
    v.field("listIndex", w.listIndex);
}

template <class V> void visit(V &v, VETrackChoice &t)
{
    v.field("ProgramIndex", t.ProgramIndex);
    v.field("audioType", t.audioType);
    v.field("audioTrack", t.audioTrack);
    v.field("subtitleTrack", t.subtitleTrack);
    v.field("subtitleCount", t.subtitleCount);
    v.field("subtlType", t.subtlType);
    v.field("path", t.path);
}

template <class V> void visit(V &v, VESubtitleChoice &c)
{
    v.field("text", c.text);
    v.field("path", c.path);
}

template <class V> void visit(V &v, ChapterEntry &c)
{
    v.field("number", c.number);
    v.field("start", c.start);
    v.field("length", c.length);
    v.field("end", c.end);
    v.field("name", c.name);
    v.field("label", c.label);
}

template <class V> void visit(V &v, VESubtitleStyle &s)
{
    v.field("alpha", s.alpha);
    v.field("scale", s.scale);
    v.field("reserved", s.reserved);
    v.field("reservedInts", s.reservedInts);
    v.field("fontName", s.fontName);
    v.field("fontSize", s.fontSize);
    v.field("bold", s.bold);
    v.field("italic", s.italic);
    v.field("underline", s.underline);
    v.field("strikeOut", s.strikeOut);
    v.field("fontColor", s.fontColor);
    v.field("shadowColor", s.shadowColor);
    v.field("outlineColor", s.outlineColor);
    v.field("shadowOffset", s.shadowOffset);
    v.field("outlineSize", s.outlineSize);
    v.field("position", s.position);
    v.field("spacingH", s.spacingH);
    v.field("spacingV", s.spacingV);
    v.field("marginH", s.marginH);
    v.field("margin", s.margin);
    v.bytes("padding", s.padding);
}

template <class V> void visit(V &v, VEAudioSettings &a)
{
    v.field("backgroundPath", a.backgroundPath);
    v.field("reserved", a.reserved);
    v.field("repeat", a.repeat);
    v.field("volume", a.volume);
    v.field("weight", a.weight);
    v.field("reserved2", a.reserved2);
    v.field("bgStartTime", a.bgStartTime);
    v.field("bgEndTime", a.bgEndTime);
    v.bytes("padding", a.padding);
}

template <class V> void visit(V &v, VESoundEffect &s)
{
    v.field("volume", s.volume);
    v.field("reserved", s.reserved);
    v.field("rate", s.rate);
    v.field("eqFrequencies", s.eqFrequencies);
    v.field("eqGains", s.eqGains);
    v.field("effectIndex", s.effectIndex);
    v.field("fadeIn", s.fadeIn);
    v.field("fadeOut", s.fadeOut);
}

template <class V> void visit(V &v, VEAudioTagInfo &t)
{
    for (int i = 0; i < VEAudioTagInfo::kFieldCount - 1; ++i)
        v.field(VEAudioTagInfo::metadataKey(i), *t.field(i));
    v.bytes("cover", t.coverData);
    v.field("coverSize", t.coverSize);
    v.field("tagFlag", t.tagFlag);
}

template <class V> void visit(V &v, AudioStreamInfo &s)
{
    v.field("streamIndex", s.streamIndex);
    v.field("displayText", s.displayText);
    v.field("name", s.name);
    v.field("codecName", s.codecName);
    v.field("language", s.language);
    v.field("channels", s.channels);
    v.field("sampleRate", s.sampleRate);
    v.field("bitRate", s.bitRate);
    v.field("profile", s.profile);
    v.bytes("extraData", s.extraData);
}

template <class V> void visit(V &v, SubtitleStreamInfo &s)
{
    v.field("streamIndex", s.streamIndex);
    v.field("displayText", s.displayText);
    v.field("name", s.name);
    v.field("language", s.language);
    v.field("codecName", s.codecName);
    v.field("codecTag", s.codecTag);
    v.field("value", s.value);
    v.field("kind", s.kind);
    v.field("path", s.path);
    v.bytes("extraData", s.extraData);
}

template <class V> void visit(V &v, VEAudioTrackEntry &e)
{
    v.field("selected", e.selected);
    v.object("info", e.info);
}

template <class V> void visit(V &v, VESubtitleTrackEntry &e)
{
    v.field("selected", e.selected);
    v.object("info", e.info);
}

template <class V> void visit(V &v, VEEditConfig &e)
{
    v.field("trimStart", e.trimStart);
    v.field("trimEnd", e.trimEnd);
    v.field("trimmedFlag", e.trimmedFlag);
    v.object("crop", e.crop);
    v.object("picture", e.picture);
    v.object("effectOverlay", e.effectOverlay);
    v.object("frameOverlay", e.frameOverlay);
    v.object("watermark", e.watermark);
    v.object("trackChoice", e.trackChoice);
    v.list("subtitleChoices", e.subtitleChoices);
    v.list("chapters", e.chapters);
    v.object("subtitleStyle", e.subtitleStyle);
    v.object("audio", e.audio);
    v.object("soundEffect", e.soundEffect);
    v.field("audioTrackNames", e.audioTrackNames);
    v.object("tags", e.tags);
    v.field("displayWidth", e.displayWidth);
    v.field("displayHeight", e.displayHeight);
    v.field("trackListLocked", e.trackListLocked);
    v.field("lossless", e.m_bLossless);
    v.field("fileFormat", e.m_fileFormat);
    v.field("isDisc", e.isDisc);
    v.object("streamChoice", e.streamChoice);
    v.list("subtitleTracks", e.subtitleTracks);
    v.list("audioTracks", e.audioTracks);
    v.field("reserved2", e.reserved2);
    v.field("reserved3", e.reserved3);
}

template <class V> void visit(V &v, OutputFormatParams &p)
{
    v.field("audioOnly", p.audioOnly);
    v.field("lossless", p.lossless);
    v.field("quality", p.quality);
    v.field("container", p.container);
    v.field("extension", p.extension);
    v.field("videoCodec", p.videoCodec);
    v.field("videoCodecId", p.videoCodecId);
    v.field("width", p.width);
    v.field("height", p.height);
    v.field("frameRateNum", p.frameRateNum);
    v.field("frameRateDen", p.frameRateDen);
    v.field("videoBitrate", p.videoBitrate);
    v.field("audioCodec", p.audioCodec);
    v.field("audioCodecId", p.audioCodecId);
    v.field("channels", p.channels);
    v.field("sampleRate", p.sampleRate);
    v.field("audioBitrate", p.audioBitrate);
    v.field("frameExactCut", p.frameExactCut);
}

// int32_t is int here; the visitor's overloads rely on it.
static_assert(std::is_same<int32_t, int>::value, "int32_t must be int");

} // namespace

QJsonObject editToJson(const VEEditConfig &edit)
{
    Writer w;
    visit(w, const_cast<VEEditConfig &>(edit));
    return w.obj;
}

bool editFromJson(const QJsonObject &json, const QString &where, VEEditConfig &edit, QString *error)
{
    error->clear();
    Reader r(json, where, error);
    visit(r, edit);
    return r.ok();
}

QJsonObject paramsToJson(const OutputFormatParams &params)
{
    Writer w;
    visit(w, const_cast<OutputFormatParams &>(params));
    return w.obj;
}

bool paramsFromJson(const QJsonObject &json, const QString &where, OutputFormatParams &params, QString *error)
{
    error->clear();
    Reader r(json, where, error);
    visit(r, params);
    return r.ok();
}

QJsonObject overlay(const QJsonObject &stored, const QJsonObject &fresh)
{
    QJsonObject out = stored;
    for (auto it = fresh.begin(); it != fresh.end(); ++it) {
        const QJsonValue old = stored.value(it.key());
        if (old.isObject() && it.value().isObject())
            out.insert(it.key(), overlay(old.toObject(), it.value().toObject()));
        else
            out.insert(it.key(), it.value());
    }
    return out;
}

} // namespace projectjson
