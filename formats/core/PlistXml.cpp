// XML property lists, parsed with pugixml.
#include "PlistDecoders.h"

#include <pugixml.hpp>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace plist_detail {
namespace {

[[noreturn]] void fail(const std::string &text)
{
    throw std::runtime_error(text);
}

// Every text and CDATA part of the node, in order: a value may mix them
// ("a <![CDATA[b]]> c").
std::string nodeText(const pugi::xml_node &node)
{
    std::string text;
    for (pugi::xml_node part = node.first_child(); part; part = part.next_sibling())
        if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata)
            text += part.value();
    return text;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The C library's atoi, made deterministic: a value outside 32 bits is held
// at the nearest limit instead of wrapping.
int64_t parseInteger(const std::string &text)
{
    size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min())
                                   : int64_t(std::numeric_limits<int32_t>::max());
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            value = limit;
    }
    return negative ? -value : value;
}

// The C library's atof without its dependence on the process locale (a
// program that adopts the user's locale would otherwise read "1.5" as 1).
double parseReal(const std::string &text)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

int base64Value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

PlistData decodeBase64(const std::string &text)
{
    PlistData out;
    out.reserve(text.size() / 4 * 3);
    uint32_t group = 0;
    int sextets = 0;
    for (unsigned char c : text) {
        if (c == '=')
            break;
        const int v = base64Value(c);
        if (v < 0)
            continue;
        group = (group << 6) | uint32_t(v);
        if (++sextets == 4) {
            out.push_back(char(group >> 16));
            out.push_back(char(group >> 8));
            out.push_back(char(group));
            group = 0;
            sextets = 0;
        }
    }
    if (sextets == 2) {
        out.push_back(char(group >> 4));
    } else if (sextets == 3) {
        out.push_back(char(group >> 10));
        out.push_back(char(group >> 2));
    }
    return out;
}

boost::any decodeNode(const pugi::xml_node &node, unsigned depth);

// Keeping the text of <string> </string> also keeps the lone white space
// of an empty <array> </array>; that is layout, not content.
bool isLayout(const pugi::xml_node &node)
{
    if (node.type() != pugi::node_pcdata)
        return false;
    for (const char *p = node.value(); *p; ++p)
        if (!isSpace(*p))
            return false;
    return true;
}

PlistDictionary decodeDictionary(const pugi::xml_node &node, unsigned depth)
{
    PlistDictionary dict;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (isLayout(child))
            continue;
        if (std::strcmp(child.name(), "key") != 0)
            fail("Plist: XML dictionary key expected but not found");
        const std::string key = nodeText(child);
        child = child.next_sibling();
        if (!child)
            fail("Plist: XML dictionary value expected for key " + key + "but not found");
        if (std::strcmp(child.name(), "key") == 0)
            fail("Plist: XML dictionary value expected for key " + key + "but found another key node");
        dict[key] = decodeNode(child, depth + 1);
    }
    return dict;
}

boost::any decodeNode(const pugi::xml_node &node, unsigned depth)
{
    if (depth > kMaxDepth)
        fail("Plist: XML nested too deeply");
    const char *name = node.name();
    if (std::strcmp(name, "dict") == 0)
        return decodeDictionary(node, depth);
    if (std::strcmp(name, "array") == 0) {
        PlistArray array;
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (!isLayout(child))
                array.push_back(decodeNode(child, depth + 1));
        }
        return array;
    }
    if (std::strcmp(name, "string") == 0)
        return nodeText(node);
    if (std::strcmp(name, "integer") == 0)
        return parseInteger(nodeText(node));
    if (std::strcmp(name, "real") == 0)
        return parseReal(nodeText(node));
    if (std::strcmp(name, "true") == 0)
        return true;
    if (std::strcmp(name, "false") == 0)
        return false;
    if (std::strcmp(name, "data") == 0)
        return decodeBase64(nodeText(node));
    if (std::strcmp(name, "date") == 0)
        return PlistDate(nodeText(node));
    fail(std::string("Plist: XML unknown node type ") + name);
}

} // namespace

boost::any decodeXml(const char *data, size_t size)
{
    pugi::xml_document doc;
    // White space alone inside an element is kept, so a string of blanks
    // is read as itself rather than as an empty string.
    const pugi::xml_parse_result result =
        doc.load_buffer(data, size, pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!result)
        fail(std::string("Plist: XML parsed with error ") + result.description());
    return decodeNode(doc.child("plist").first_child(), 0);
}

} // namespace plist_detail
