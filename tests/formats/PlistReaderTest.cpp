#include "BinaryPlistBuilder.h"
#include "Plist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

using B = BinaryPlistBuilder;

PlistDictionary parse(const std::string &bytes)
{
    PlistDictionary dict;
    parsePlistBuffer(bytes.data(), bytes.size(), dict);
    return dict;
}

std::string errorOf(const std::string &bytes)
{
    try {
        parse(bytes);
    } catch (const std::runtime_error &e) {
        return e.what();
    }
    return "no error";
}

// A binary list whose root dictionary maps "v" to the given object.
std::string single(const B::Bytes &value, B b = B())
{
    const uint64_t root = b.add({});
    const uint64_t key = b.add(B::string("v"));
    const uint64_t val = b.add(value);
    b.set(root, b.dict({key}, {val}));
    return b.build();
}

template <class T>
T valueOf(const std::string &bytes)
{
    return boost::any_cast<T>(parse(bytes).at("v"));
}

std::string xml(const std::string &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
}

std::string xmlValue(const std::string &element)
{
    return xml("<dict><key>v</key>" + element + "</dict>");
}

// Runs with TZ set to zone, restoring the previous value afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char *zone)
    {
        const char *old = std::getenv("TZ");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_hadOld)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_hadOld = false;
    std::string m_old;
};

} // namespace

TEST(PlistReader, EmptyInputAndFileErrors)
{
    PlistDictionary dict{{"keep", std::string("me")}};
    EXPECT_EQ(errorOf(std::string()), "Plist: Empty plist data");
    try {
        parsePlistBuffer(nullptr, 10, dict);
        FAIL() << "null data accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Plist: Empty plist data");
    }

    readPlistFile("", dict); // returns without touching anything
    EXPECT_EQ(dict.size(), 1u);

    QTemporaryDir dir;
    const std::string missing = (dir.path() + "/missing é.plist").toStdString();
    try {
        readPlistFile(missing, dict);
        FAIL() << "missing file accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(std::string(e.what()), "Can't open file: " + missing);
    }
    try {
        readPlistFile(dir.path().toStdString(), dict);
        FAIL() << "folder accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(std::string(e.what()), "Can't open file: " + dir.path().toStdString());
    }

    const QString emptyFile = dir.path() + "/empty.plist";
    QFile(emptyFile).open(QIODevice::WriteOnly);
    try {
        readPlistFile(emptyFile.toStdString(), dict);
        FAIL() << "empty file accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Can't read zero length data");
    }

    // A UTF-8 file name that is not Latin-1 is read like any other.
    const QString named = dir.path() + "/プロファイル.plist";
    QFile f(named);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(xmlValue("<string>x</string>").c_str());
    f.close();
    readPlistFile(named.toStdString(), dict);
    EXPECT_EQ(boost::any_cast<std::string>(dict.at("v")), "x");
    EXPECT_EQ(dict.count("keep"), 0u);
}

TEST(PlistReader, RootMustBeDictionaryAndFailureKeepsCallerDictionary)
{
    PlistDictionary dict{{"keep", std::string("me")}};
    const std::string arrayRoot = xml("<array><string>a</string></array>");
    EXPECT_THROW(parsePlistBuffer(arrayRoot.data(), arrayRoot.size(), dict), boost::bad_any_cast);
    const std::string broken = xml("<dict><key>a</key></dict>");
    EXPECT_THROW(parsePlistBuffer(broken.data(), broken.size(), dict), std::runtime_error);
    ASSERT_EQ(dict.size(), 1u);
    EXPECT_EQ(boost::any_cast<std::string>(dict.at("keep")), "me");
}

TEST(PlistBinary, IntegerWidthsAndSign)
{
    EXPECT_EQ(valueOf<int64_t>(single({0x10, 0xFF})), 255);
    EXPECT_EQ(valueOf<int64_t>(single({0x11, 0xFF, 0xFE})), 65534);
    EXPECT_EQ(valueOf<int64_t>(single({0x12, 0xFF, 0xFF, 0xFF, 0xFF})), 4294967295LL);
    EXPECT_EQ(valueOf<int64_t>(single({0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), -1);
    EXPECT_EQ(valueOf<int64_t>(single(B::integer(0x0102030405060708ULL, 3))), 0x0102030405060708LL);
    // Sixteen bytes keep their low 64 bits.
    B::Bytes wide{0x14};
    B::append(wide, B::bigEndian(0xAA, 8));
    B::append(wide, B::bigEndian(42, 8));
    EXPECT_EQ(valueOf<int64_t>(single(wide)), 42);
}

TEST(PlistBinary, RealsAndDates)
{
    EXPECT_DOUBLE_EQ(valueOf<double>(single(B::real(-2.75))), -2.75);
    // Four-byte reals are single precision, not the low half of a double.
    EXPECT_DOUBLE_EQ(valueOf<double>(single({0x22, 0x3F, 0xC0, 0x00, 0x00})), 1.5);
    EXPECT_EQ(errorOf(single({0x21, 0x3F, 0xC0})), "Plist: unsupported real size");

    EXPECT_EQ(valueOf<PlistDate>(single(B::date(0.0))).timeSinceEpoch, 978307200);
    EXPECT_EQ(valueOf<PlistDate>(single(B::date(-1.5))).timeSinceEpoch, 978307198); // toward zero
    EXPECT_EQ(valueOf<PlistDate>(single(B::date(-978307200.0 - 86400.0))).timeSinceEpoch, -86400);
    EXPECT_EQ(errorOf(single(B::date(std::nan("")))), "Plist: date out of range");
    EXPECT_EQ(errorOf(single(B::date(1e300))), "Plist: date out of range");
    // A date always has eight bytes, whatever its low nibble says.
    B::Bytes odd = B::date(10.0);
    odd[0] = 0x30;
    EXPECT_EQ(valueOf<PlistDate>(single(odd)).timeSinceEpoch, 978307210);
}

TEST(PlistBinary, ScalarsStringsDataAndExtendedCounts)
{
    EXPECT_TRUE(valueOf<bool>(single({0x09})));
    EXPECT_FALSE(valueOf<bool>(single({0x08})));
    EXPECT_EQ(valueOf<std::string>(single(B::string("h\xC3\xA9llo"))), "h\xC3\xA9llo");

    // Low nibble 15 and 0x10 0x20: 32 bytes starting three after the marker.
    const std::string content(32, 'x');
    B::Bytes longString{0x5F, 0x10, 0x20};
    longString.insert(longString.end(), content.begin(), content.end());
    longString.push_back('!'); // not part of the string
    EXPECT_EQ(valueOf<std::string>(single(longString)), content);

    B::Bytes longData{0x4F, 0x11, 0x00, 0x10};
    longData.insert(longData.end(), 16, 0xAB);
    const PlistData data = valueOf<PlistData>(single(longData));
    EXPECT_EQ(data, PlistData(16, char(0xAB)));
    EXPECT_EQ(valueOf<PlistData>(single(B::data(std::string("\0\1", 2)))), PlistData({0, 1}));

    EXPECT_EQ(errorOf(single({0x5F, 0x50, 0x01})), "Plist: object count is not an integer");
}

TEST(PlistBinary, ContainersReferencesAndTopObject)
{
    // Two keys: key 0, key 1, value 0, value 1; later duplicates win.
    B b;
    const uint64_t root = b.add({});
    const uint64_t k1 = b.add(B::string("a"));
    const uint64_t k2 = b.add(B::string("b"));
    const uint64_t v1 = b.add(B::integer(1, 0));
    const uint64_t v2 = b.add(B::integer(2, 0));
    const uint64_t list = b.add({});
    const uint64_t k3 = b.add(B::string("list"));
    const uint64_t dupKey = b.add(B::string("a"));
    const uint64_t dupValue = b.add(B::integer(9, 0));
    b.set(list, b.array({v2, v1, k1}));
    b.set(root, b.dict({k1, k2, k3, dupKey}, {v1, v2, list, dupValue}));
    b.topObject = k1; // ignored: object 0 is the root
    const PlistDictionary dict = parse(b.build());
    ASSERT_EQ(dict.size(), 3u);
    EXPECT_EQ(boost::any_cast<int64_t>(dict.at("a")), 9);
    EXPECT_EQ(boost::any_cast<int64_t>(dict.at("b")), 2);
    const auto &array = boost::any_cast<const PlistArray &>(dict.at("list"));
    ASSERT_EQ(array.size(), 3u);
    EXPECT_EQ(boost::any_cast<int64_t>(array[0]), 2);
    EXPECT_EQ(boost::any_cast<std::string>(array[2]), "a");

    // Two-byte offsets and references, with more than 256 objects.
    B wide;
    wide.offsetSize = 2;
    wide.refSize = 2;
    const uint64_t wideRoot = wide.add({});
    std::vector<uint64_t> items;
    for (int i = 0; i < 300; ++i)
        items.push_back(wide.add(B::integer(uint64_t(i), 1)));
    const uint64_t arr = wide.add({});
    wide.set(arr, wide.array(items));
    const uint64_t key = wide.add(B::string("items"));
    wide.set(wideRoot, wide.dict({key}, {arr}));
    const PlistDictionary wideDict = parse(wide.build());
    const auto &wideItems = boost::any_cast<const PlistArray &>(wideDict.at("items"));
    ASSERT_EQ(wideItems.size(), 300u);
    EXPECT_EQ(boost::any_cast<int64_t>(wideItems[299]), 299);
}

TEST(PlistBinary, MarkerErrors)
{
    EXPECT_EQ(errorOf(single({0x00})), "Plist: null byte encountered, unsure how to parse");
    EXPECT_EQ(errorOf(single({0x0F})), "Plist: fill byte encountered, unsure how to parse");
    EXPECT_EQ(errorOf(single({0x0C})), std::string("Plist: unknown header ") + char(0x0C));
    EXPECT_EQ(errorOf(single({0x61, 0x00, 0x41})), "This type is not supported"); // UTF-16 string
    EXPECT_EQ(errorOf(single({0x80, 0x01})), "This type is not supported");
    EXPECT_EQ(errorOf(single({0xF0})), "This type is not supported");

    B b;
    const uint64_t root = b.add({});
    const uint64_t key = b.add(B::integer(1, 0));
    b.set(root, b.dict({key}, {key}));
    EXPECT_EQ(errorOf(b.build()), "Error parsing dictionary.  Key can't be parsed as a string");
}

TEST(PlistBinary, MagicAlwaysMeansBinary)
{
    // Text after the magic is never handed to the XML parser.
    const std::string text = "bplist00" + xmlValue("<string>x</string>");
    const std::string error = errorOf(text);
    EXPECT_EQ(error.find("XML"), std::string::npos) << error;
    EXPECT_NE(error, "no error");
}

// Every malformed table, width, reference and count is rejected with an
// error; none may crash, hang or read outside the buffer (run under
// AddressSanitizer to see the last).
TEST(PlistBinary, MalformedListsAreRejected)
{
    const std::string good = single(B::string("ok"));
    ASSERT_EQ(valueOf<std::string>(good), "ok");
    const size_t trailer = good.size() - 32;

    auto patched = [&](size_t at, uint8_t byte) {
        std::string s = good;
        s[at] = char(byte);
        return s;
    };
    EXPECT_EQ(errorOf(patched(trailer + 6, 0)), "Plist: offset size of zero in trailer");
    EXPECT_EQ(errorOf(patched(trailer + 7, 0)), "Plist: object reference size of zero in trailer");
    // Offset table beyond the trailer, or beyond 64-bit sizes.
    EXPECT_EQ(errorOf(patched(trailer + 31, 0xF0)), "Out of bounds getRange");
    EXPECT_EQ(errorOf(patched(trailer + 24, 0xFF)), "Out of bounds getRange");
    // An offset that points past the object table.
    EXPECT_EQ(errorOf(patched(trailer - 1, 0xFE)), "Out of bounds getRange");
    // Too short for a trailer.
    EXPECT_EQ(errorOf("bplist00" + std::string(20, '\0')), "Out of bounds getRange");
    EXPECT_EQ(errorOf("bplist00"), "Out of bounds getRange");
    // An offset table whose length is not a multiple of its width.
    {
        B b;
        b.offsetSize = 2;
        std::string s = single(B::string("ok"), b);
        std::string t = s.substr(0, s.size() - 32) + std::string(1, '\0') + s.substr(s.size() - 32);
        EXPECT_EQ(errorOf(t), "Out of bounds getRange");
    }
    // No objects at all.
    {
        B b;
        EXPECT_EQ(errorOf(b.build()), "Plist: object reference out of range");
    }
    // A reference to an object that does not exist.
    {
        B b;
        const uint64_t root = b.add({});
        const uint64_t key = b.add(B::string("v"));
        b.set(root, b.dict({key}, {77}));
        EXPECT_EQ(errorOf(b.build()), "Plist: object reference out of range");
    }
    // Cycles: an array that holds itself, and two that hold each other.
    {
        B b;
        const uint64_t root = b.add({});
        const uint64_t key = b.add(B::string("v"));
        const uint64_t arr = b.add({});
        b.set(arr, b.array({arr}));
        b.set(root, b.dict({key}, {arr}));
        EXPECT_EQ(errorOf(b.build()), "Plist: object contains itself");
    }
    {
        B b;
        const uint64_t root = b.add({});
        const uint64_t key = b.add(B::string("v"));
        const uint64_t a = b.add({});
        const uint64_t c = b.add({});
        b.set(a, b.array({c}));
        b.set(c, b.dict({key}, {a}));
        b.set(root, b.dict({key}, {a}));
        EXPECT_EQ(errorOf(b.build()), "Plist: object contains itself");
    }
    {
        B b; // the root dictionary as its own value
        const uint64_t root = b.add({});
        const uint64_t key = b.add(B::string("v"));
        b.set(root, b.dict({key}, {root}));
        EXPECT_EQ(errorOf(b.build()), "Plist: object contains itself");
    }
    // Absurd counts fail before anything is allocated.
    EXPECT_EQ(errorOf(single({0xAF, 0x13, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), "Out of bounds getRange");
    EXPECT_EQ(errorOf(single({0xDF, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), "Out of bounds getRange");
    EXPECT_EQ(errorOf(single({0x5F, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0})), "Out of bounds getRange");
    EXPECT_EQ(errorOf(single({0x4F, 0x10})), "Out of bounds getRange");
    EXPECT_EQ(errorOf(single({0x1F, 0x00})), "Out of bounds getRange"); // 32768-byte integer
    EXPECT_EQ(errorOf(single({0x13, 0x01})), "Out of bounds getRange");
    // Deep nesting without a cycle.
    {
        B deep;
        deep.refSize = 2;
        deep.offsetSize = 2;
        const uint64_t droot = deep.add({});
        const uint64_t dkey = deep.add(B::string("v"));
        uint64_t dinner = deep.add(B::Bytes{0xA0});
        for (int i = 0; i < 5000; ++i)
            dinner = deep.add(deep.array({dinner}));
        deep.set(droot, deep.dict({dkey}, {dinner}));
        EXPECT_EQ(errorOf(deep.build()), "Plist: objects nested too deeply");
    }
    // Shared references that expand exponentially: 40 levels of arrays,
    // each holding the next twice, would decode to 2^40 objects.
    {
        B b;
        const uint64_t root = b.add({});
        const uint64_t key = b.add(B::string("v"));
        uint64_t level = b.add(B::string("leaf"));
        for (int i = 0; i < 40; ++i)
            level = b.add(b.array({level, level}));
        b.set(root, b.dict({key}, {level}));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(errorOf(b.build()), "Plist: object graph too large");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    }
}

TEST(PlistXml, ScalarConversions)
{
    auto integer = [](const std::string &text) {
        return valueOf<int64_t>(xmlValue("<integer>" + text + "</integer>"));
    };
    EXPECT_EQ(integer("12abc"), 12);
    EXPECT_EQ(integer("abc"), 0);
    EXPECT_EQ(integer("  -7"), -7);
    EXPECT_EQ(integer("+8"), 8);
    EXPECT_EQ(integer(""), 0);
    EXPECT_EQ(integer("99999999999"), 2147483647);
    EXPECT_EQ(integer("-99999999999"), -2147483648LL);

    auto real = [](const std::string &text) { return valueOf<double>(xmlValue("<real>" + text + "</real>")); };
    EXPECT_DOUBLE_EQ(real("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(real(" -2.5e3xyz"), -2500.0);
    EXPECT_DOUBLE_EQ(real("abc"), 0.0);
    EXPECT_TRUE(std::isinf(real("1e999")));

    EXPECT_EQ(valueOf<std::string>(xmlValue("<string>a &amp; b</string>")), "a & b");
    EXPECT_EQ(valueOf<std::string>(xmlValue("<string/>")), "");
    EXPECT_EQ(valueOf<std::string>(xmlValue("<string> \t</string>")), " \t"); // blanks are content
    // Text and CDATA sections mixed in one value form one string.
    EXPECT_EQ(valueOf<std::string>(xmlValue("<string>a <![CDATA[b <&>]]> c</string>")), "a b <&> c");
    EXPECT_EQ(valueOf<std::string>(xmlValue("<string><![CDATA[x]]><![CDATA[y]]></string>")), "xy");
    EXPECT_EQ(valueOf<int64_t>(xmlValue("<integer>1<![CDATA[2]]></integer>")), 12);
    EXPECT_TRUE(valueOf<PlistArray>(xmlValue("<array>\n  </array>")).empty());
    EXPECT_TRUE(valueOf<PlistDictionary>(xmlValue("<dict>\n</dict>")).empty());
    EXPECT_TRUE(valueOf<bool>(xmlValue("<true/>")));
    EXPECT_FALSE(valueOf<bool>(xmlValue("<false/>")));

    // Base64 skips white space and stops at "=".
    EXPECT_EQ(valueOf<PlistData>(xmlValue("<data>\n  SGVs\n  bG8=IGlnbm9yZWQ=\n</data>")),
              PlistData({'H', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(valueOf<PlistData>(xmlValue("<data>QQ</data>")), PlistData({'A'}));
    EXPECT_EQ(valueOf<PlistData>(xmlValue("<data></data>")), PlistData());
}

TEST(PlistXml, DatesInAnyTimeZone)
{
    for (const char *zone : {"UTC", "America/New_York", "Asia/Kolkata", "Australia/Lord_Howe"}) {
        ScopedTimeZone tz(zone);
        EXPECT_EQ(valueOf<PlistDate>(xmlValue("<date>2001-01-01T00:00:00Z</date>")).timeSinceEpoch, 978307200) << zone;
        EXPECT_EQ(valueOf<PlistDate>(xmlValue("<date>2024-07-14T12:30:05Z</date>")).timeSinceEpoch, 1720960205) << zone;
        // Local time on a DST switch day must not shift the UTC reading.
        EXPECT_EQ(valueOf<PlistDate>(xmlValue("<date>2021-03-14T02:30:00Z</date>")).timeSinceEpoch, 1615689000) << zone;
    }
    // A text that does not match reads as the epoch.
    EXPECT_EQ(valueOf<PlistDate>(xmlValue("<date>garbage</date>")).timeSinceEpoch, 0);
    EXPECT_EQ(valueOf<PlistDate>(xmlValue("<date>2001-02</date>")).timeSinceEpoch, 978307200 + 31 * 86400);
    try {
        parse(xmlValue("<date>1969-12-31T23:59:58Z</date>"));
        FAIL() << "date before the epoch accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "PlistDate::set() date invalid");
    }

    PlistDate date;
    EXPECT_LE(std::abs(date.timeSinceEpoch - int64_t(std::time(nullptr))), 2); // starts as now
    date.set(13, 1, 2000, 0, 0, 0, true); // month 13 carries into the next year
    EXPECT_EQ(date.timeSinceEpoch, 978307200);
    {
        ScopedTimeZone tz("Asia/Kolkata");
        date.set(1, 1, 2001, 5, 30, 0, false); // local time
        EXPECT_EQ(date.timeSinceEpoch, 978307200);
    }
}

TEST(PlistXml, StructureAndErrorTexts)
{
    const PlistDictionary dict = parse(xml(
        "<dict><key>a</key><integer>1</integer><key>list</key><array><string>x</string><dict/></array>"
        "<key>a</key><integer>2</integer></dict>"));
    EXPECT_EQ(boost::any_cast<int64_t>(dict.at("a")), 2); // the later duplicate wins
    const auto &list = boost::any_cast<const PlistArray &>(dict.at("list"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(boost::any_cast<PlistDictionary>(list[1]).empty());

    EXPECT_EQ(errorOf(xml("<dict><string>x</string></dict>")), "Plist: XML dictionary key expected but not found");
    EXPECT_EQ(errorOf(xml("<dict><key>a</key><integer>1</integer><key>last</key></dict>")),
              "Plist: XML dictionary value expected for key lastbut not found");
    EXPECT_EQ(errorOf(xml("<dict><key>a</key><key>b</key></dict>")),
              "Plist: XML dictionary value expected for key abut found another key node");
    EXPECT_EQ(errorOf(xmlValue("<set/>")), "Plist: XML unknown node type set");
    EXPECT_EQ(errorOf("<?xml version=\"1.0\"?><other><dict/></other>"), "Plist: XML unknown node type ");
    EXPECT_EQ(errorOf("<plist><dict"), "Plist: XML parsed with error Error parsing start element tag");
    EXPECT_EQ(errorOf("not xml at all"), "Plist: XML parsed with error No document element found");

    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<array>";
    for (int i = 0; i < 100000; ++i)
        deep += "</array>";
    EXPECT_EQ(errorOf(xmlValue(deep)), "Plist: XML nested too deeply");
}
