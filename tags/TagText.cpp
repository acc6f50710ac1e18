#include "TagText.h"

#include <cstdlib>
#include <cstring>

namespace tagtext {

namespace {

// Windows-1252 0x80..0x9F; 0 marks the five unassigned bytes.
const char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0};

char16_t lowerAscii(char16_t c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c + 32) : c;
}

void appendAscii(std::u16string &out, const char *s)
{
    while (*s)
        out.push_back(static_cast<unsigned char>(*s++));
}

const char *const kLanguageCodes[][2] = {
    {"aa", "aar"}, {"ab", "abk"}, {"af", "afr"}, {"sq", "alb"}, {"am", "amh"}, {"ar", "ara"},
    {"hy", "arm"}, {"as", "asm"}, {"ae", "ave"}, {"ay", "aym"}, {"az", "aze"}, {"ba", "bak"},
    {"eu", "baq"}, {"be", "bel"}, {"bn", "ben"}, {"bh", "bih"}, {"bi", "bis"}, {"bs", "bos"},
    {"br", "bre"}, {"bg", "bul"}, {"my", "bur"}, {"ca", "cat"}, {"ch", "cha"}, {"ce", "che"},
    {"zh", "chi"}, {"cu", "chu"}, {"cv", "chv"}, {"kw", "cor"}, {"co", "cos"}, {"cs", "cze"},
    {"da", "dan"}, {"nl", "dut"}, {"dz", "dzo"}, {"en", "eng"}, {"eo", "epo"}, {"et", "est"},
    {"fo", "fao"}, {"fj", "fij"}, {"fi", "fin"}, {"fr", "fre"}, {"fy", "fry"}, {"ka", "geo"},
    {"de", "ger"}, {"gd", "gla"}, {"ga", "gle"}, {"gl", "glg"}, {"gv", "glv"}, {"el", "gre"},
    {"gn", "grn"}, {"gu", "guj"}, {"he", "heb"}, {"hz", "her"}, {"hi", "hin"}, {"ho", "hmo"},
    {"hu", "hun"}, {"is", "ice"}, {"iu", "iku"}, {"ie", "ile"}, {"ia", "ina"}, {"id", "ind"},
    {"ik", "ipk"}, {"it", "ita"}, {"jv", "jav"}, {"ja", "jpn"}, {"kl", "kal"}, {"kn", "kan"},
    {"ks", "kas"}, {"kk", "kaz"}, {"km", "khm"}, {"ki", "kik"}, {"rw", "kin"}, {"ky", "kir"},
    {"kv", "kom"}, {"ko", "kor"}, {"kj", "kua"}, {"ku", "kur"}, {"lo", "lao"}, {"la", "lat"},
    {"lv", "lav"}, {"ln", "lin"}, {"lt", "lit"}, {"lb", "ltz"}, {"mk", "mac"}, {"mh", "mah"},
    {"ml", "mal"}, {"mi", "mao"}, {"mr", "mar"}, {"ms", "may"}, {"mg", "mlg"}, {"mt", "mlt"},
    {"mo", "mol"}, {"mn", "mon"}, {"na", "nau"}, {"nv", "nav"}, {"nr", "nbl"}, {"nd", "nde"},
    {"ng", "ndo"}, {"ne", "nep"}, {"no", "nor"}, {"nn", "nno"}, {"nb", "nob"}, {"ny", "nya"},
    {"oc", "oci"}, {"or", "ori"}, {"om", "orm"}, {"od", "osd"}, {"os", "oss"}, {"pa", "pan"},
    {"fa", "per"}, {"pi", "pli"}, {"pl", "pol"}, {"pt", "por"}, {"ps", "pus"}, {"qu", "que"},
    {"rm", "roh"}, {"ro", "rum"}, {"rn", "run"}, {"ru", "rus"}, {"sg", "sag"}, {"sa", "san"},
    {"sr", "srp"}, {"hr", "hrv"}, {"si", "sin"}, {"sk", "slo"}, {"sl", "slv"}, {"se", "sme"},
    {"sm", "smo"}, {"sn", "sna"}, {"sd", "snd"}, {"so", "som"}, {"st", "sot"}, {"es", "spa"},
    {"sc", "srd"}, {"ss", "ssw"}, {"su", "sun"}, {"sw", "swa"}, {"sv", "swe"}, {"ty", "tah"},
    {"ta", "tam"}, {"tt", "tat"}, {"te", "tel"}, {"tg", "tgk"}, {"tl", "tgl"}, {"th", "tha"},
    {"bo", "tib"}, {"ti", "tir"}, {"to", "ton"}, {"tn", "tsn"}, {"ts", "tso"}, {"tr", "tur"},
    {"tk", "tuk"}, {"tw", "twi"}, {"ug", "uig"}, {"uk", "ukr"}, {"ur", "urd"}, {"uz", "uzb"},
    {"vi", "vie"}, {"vo", "vol"}, {"cy", "wel"}, {"wo", "wol"}, {"xh", "xho"}, {"yi", "yid"},
    {"yo", "yor"}, {"za", "zha"}, {"zu", "zul"}};

} // namespace

bool utf8ToUtf16(const std::string &in, std::u16string &out)
{
    out.clear();
    out.reserve(in.size());
    const auto *p = reinterpret_cast<const unsigned char *>(in.data());
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        uint32_t c = p[i];
        int extra = 0;
        uint32_t min = 0;
        if (c < 0x80) {
        } else if ((c & 0xE0) == 0xC0) {
            c &= 0x1F; extra = 1; min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            c &= 0x0F; extra = 2; min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            c &= 0x07; extra = 3; min = 0x10000;
        } else {
            return false;
        }
        if (extra > 0 && i + static_cast<size_t>(extra) >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const uint32_t cc = p[i + static_cast<size_t>(k)];
            if ((cc & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (cc & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += static_cast<size_t>(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return true;
}

std::string utf16ToUtf8(const std::u16string &in)
{
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        uint32_t c = in[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string utf16ToLegacy(const std::u16string &in)
{
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const char16_t c = in[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] != 0 && kCp1252High[k] == c) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        // A surrogate pair is one character: one replacement for both halves.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF)
            ++i;
        out.push_back(mapped);
    }
    return out;
}

std::u16string legacyToUtf16(const char *in, size_t n)
{
    std::u16string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (b >= 0x80 && b <= 0x9F)
            out.push_back(kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : char16_t(b));
        else
            out.push_back(b);
    }
    return out;
}

std::u16string latin1ToUtf16(const char *in, size_t n)
{
    std::u16string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i)
        out.push_back(static_cast<unsigned char>(in[i]));
    return out;
}

std::vector<uint8_t> utf16leBytes(const std::u16string &text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

std::u16string utf16Decode(const uint8_t *p, size_t n, bool bigEndian)
{
    std::u16string out;
    out.reserve(n / 2);
    for (size_t i = 0; i + 1 < n; i += 2) {
        const char16_t c = bigEndian ? static_cast<char16_t>((p[i] << 8) | p[i + 1])
                                     : static_cast<char16_t>(p[i] | (p[i + 1] << 8));
        if (c == 0)
            break;
        out.push_back(c);
    }
    return out;
}

long long leadingNumber(const std::u16string &text, size_t from)
{
    long long v = -1;
    for (size_t i = from; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v < 0)
            v = 0;
        if (v < 100000000000LL)
            v = v * 10 + (text[i] - '0');
    }
    return v;
}

const char *const id3v1GenreNames[kGenreCount] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap",
    "Reggae", "Rock", "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks",
    "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
    "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
    "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle",
    "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival",
    "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock",
    "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour",
    "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad",
    "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella",
    "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie",
    "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover", "Contemporary C", "Christian Rock", "Merengue", "Salsa",
    "Thrash Metal", "Anime", "JPop", "SynthPop"};

int genreIndex(const std::u16string &name)
{
    for (int i = 0; i < kGenreCount; ++i) {
        const char *g = id3v1GenreNames[i];
        size_t k = 0;
        for (; k < name.size() && g[k]; ++k)
            if (lowerAscii(name[k]) != lowerAscii(static_cast<unsigned char>(g[k])))
                break;
        if (k == name.size() && g[k] == 0)
            return i;
    }
    return -1;
}

std::u16string expandGenreReferences(const std::u16string &text)
{
    std::u16string out;
    out.reserve(text.size() + 16);
    auto insertName = [&out](const char *name) {
        // Two names in a row share one space between them.
        if (!out.empty() && out.back() != u' ')
            out.push_back(u' ');
        appendAscii(out, name);
        out.push_back(u' ');
    };
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        if (text[i] != u'(') {
            out.push_back(text[i++]);
            continue;
        }
        if (i + 1 < n && text[i + 1] == u'(') {
            out.push_back(u'(');
            i += 2;
            continue;
        }
        if (text.compare(i, 4, u"(RX)") == 0) {
            insertName("Remix");
            i += 4;
            continue;
        }
        if (text.compare(i, 4, u"(CR)") == 0) {
            insertName("Cover");
            i += 4;
            continue;
        }
        size_t j = i + 1;
        int value = 0;
        bool tooBig = false;
        while (j < n && text[j] >= u'0' && text[j] <= u'9') {
            value = value * 10 + (text[j] - u'0');
            ++j;
            if (value > 147) {
                tooBig = true;
                break;
            }
        }
        if (!tooBig && j > i + 1 && j < n && text[j] == u')') {
            insertName(id3v1GenreNames[value]);
            i = j + 1;
            continue;
        }
        // Neither a reference nor an escape: copied as it stands.
        out.push_back(text[i++]);
    }
    if (!out.empty() && out.back() == u' ')
        out.pop_back();
    return out;
}

PictureFormat pictureFormat(const uint8_t *p, size_t n)
{
    if (!p || n < 4)
        return PictureUnknown;
    if ((p[0] == 0x89 || p[0] == 0x8A) && ((p[0] == 0x89 && p[1] == 'P') || (p[0] == 0x8A && p[1] == 'M'))
        && p[2] == 'N' && p[3] == 'G')
        return PicturePng;
    if (p[0] == 0xFF && p[1] == 0xD8)
        return PictureJpeg;
    if (p[0] == 'G' && p[1] == 'I' && p[2] == 'F')
        return PictureGif;
    if (p[0] == 'B' && p[1] == 'M')
        return PictureBmp;
    return PictureUnknown;
}

const char *pictureMime(PictureFormat f)
{
    switch (f) {
    case PicturePng: return "image/png";
    case PictureGif: return "image/gif";
    case PictureBmp: return "image/bmp";
    default: return "image/jpeg";
    }
}

namespace {
uint32_t rdBE32(const uint8_t *p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]; }
uint32_t rdLE32(const uint8_t *p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
void putBE32(std::vector<uint8_t> &v, uint32_t x)
{
    v.push_back(uint8_t(x >> 24)); v.push_back(uint8_t(x >> 16)); v.push_back(uint8_t(x >> 8)); v.push_back(uint8_t(x));
}
} // namespace

PictureInfo probePicture(const uint8_t *p, size_t n)
{
    PictureInfo info;
    switch (pictureFormat(p, n)) {
    case PicturePng: {
        size_t pos = 8;
        while (pos + 8 <= n) {
            const uint32_t len = rdBE32(p + pos);
            if (std::memcmp(p + pos + 4, "IHDR", 4) == 0) {
                if (pos + 8 + 10 <= n) {
                    info.width = rdBE32(p + pos + 8);
                    info.height = rdBE32(p + pos + 12);
                    const uint32_t bitDepth = p[pos + 16];
                    const uint32_t colourType = p[pos + 17];
                    uint32_t channels = (colourType & 3) == 2 ? 3 : 1;
                    if (colourType & 4)
                        channels += 1;
                    info.depth = bitDepth * channels;
                }
                break;
            }
            if (uint64_t(len) + 12 > n - pos)
                break;
            pos += size_t(len) + 12;
        }
        break;
    }
    case PictureJpeg: {
        size_t pos = 2;
        while (pos + 4 <= n) {
            if (p[pos] != 0xFF)
                break;
            if (p[pos + 1] == 0xC0) {
                if (pos + 9 <= n) {
                    info.height = (uint32_t(p[pos + 5]) << 8) | p[pos + 6];
                    info.width = (uint32_t(p[pos + 7]) << 8) | p[pos + 8];
                    info.depth = uint32_t(p[pos + 4]) * 3;
                }
                break;
            }
            const size_t segment = (size_t(p[pos + 2]) << 8) | p[pos + 3];
            pos += segment + 2;
        }
        break;
    }
    case PictureGif:
        if (n >= 11) {
            info.width = uint32_t(p[6]) | (uint32_t(p[7]) << 8);
            info.height = uint32_t(p[8]) | (uint32_t(p[9]) << 8);
            info.depth = (p[10] & 7u) + 1;
        }
        break;
    case PictureBmp:
        if (n >= 30) {
            info.width = rdLE32(p + 18);
            info.height = rdLE32(p + 22);
            info.depth = uint32_t(p[28]) | (uint32_t(p[29]) << 8);
        }
        break;
    default:
        break;
    }
    return info;
}

std::vector<uint8_t> flacPictureStructure(const uint8_t *p, size_t n)
{
    const char *mime = pictureMime(pictureFormat(p, n));
    const size_t mimeLength = std::strlen(mime);
    const PictureInfo info = probePicture(p, n);
    std::vector<uint8_t> out;
    out.reserve(32 + mimeLength + n);
    putBE32(out, 3);
    putBE32(out, uint32_t(mimeLength));
    out.insert(out.end(), mime, mime + mimeLength);
    putBE32(out, 0);
    putBE32(out, info.width);
    putBE32(out, info.height);
    putBE32(out, info.depth);
    putBE32(out, 0);
    putBE32(out, uint32_t(n));
    if (n)
        out.insert(out.end(), p, p + n);
    return out;
}

bool unpackFlacPicture(const uint8_t *p, size_t n, std::vector<uint8_t> &picture)
{
    size_t pos = 0;
    auto take32 = [&](uint32_t &v) {
        if (n - pos < 4)
            return false;
        v = rdBE32(p + pos);
        pos += 4;
        return true;
    };
    uint32_t v = 0;
    if (!take32(v) || !take32(v) || v > n - pos)
        return false;
    pos += v; // MIME type
    if (!take32(v) || v > n - pos)
        return false;
    pos += v; // description
    for (int k = 0; k < 4; ++k)
        if (!take32(v))
            return false;
    if (!take32(v) || v > n - pos)
        return false;
    picture.assign(p + pos, p + pos + v);
    return true;
}

std::string base64Encode(const uint8_t *p, size_t n)
{
    static const char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((n + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= n; i += 3) {
        const uint32_t v = (uint32_t(p[i]) << 16) | (uint32_t(p[i + 1]) << 8) | p[i + 2];
        out.push_back(table[v >> 18]);
        out.push_back(table[(v >> 12) & 63]);
        out.push_back(table[(v >> 6) & 63]);
        out.push_back(table[v & 63]);
    }
    if (n - i == 1) {
        const uint32_t v = uint32_t(p[i]) << 16;
        out.push_back(table[v >> 18]);
        out.push_back(table[(v >> 12) & 63]);
        out += "==";
    } else if (n - i == 2) {
        const uint32_t v = (uint32_t(p[i]) << 16) | (uint32_t(p[i + 1]) << 8);
        out.push_back(table[v >> 18]);
        out.push_back(table[(v >> 12) & 63]);
        out.push_back(table[(v >> 6) & 63]);
        out.push_back('=');
    }
    return out;
}

bool base64Decode(const char *p, size_t n, std::vector<uint8_t> &out)
{
    out.clear();
    out.reserve(n / 4 * 3);
    uint32_t acc = 0;
    int bits = 0;
    size_t pads = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = p[i];
        int v;
        if (c >= 'A' && c <= 'Z') v = c - 'A';
        else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
        else if (c >= '0' && c <= '9') v = c - '0' + 52;
        else if (c == '+') v = 62;
        else if (c == '/') v = 63;
        else if (c == '=') { ++pads; continue; }
        else if (c == '\r' || c == '\n') continue;
        else return false;
        if (pads)
            return false;
        acc = (acc << 6) | uint32_t(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(uint8_t(acc >> bits));
            acc &= (1u << bits) - 1;
        }
    }
    return pads <= 2;
}

std::string localeLanguageCode()
{
    const char *vars[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char *var : vars) {
        const char *value = std::getenv(var);
        if (!value || !*value)
            continue;
        if (std::strlen(value) >= 2 && (value[2] == 0 || value[2] == '_' || value[2] == '.' || value[2] == '@')) {
            const char two[3] = {char(lowerAscii(char16_t(value[0]))), char(lowerAscii(char16_t(value[1]))), 0};
            for (const auto &row : kLanguageCodes)
                if (std::strcmp(row[0], two) == 0)
                    return row[1];
        }
        break;
    }
    return "eng";
}

} // namespace tagtext
