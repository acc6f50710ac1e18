// plistdump FILE: prints a property list as JSON (data as Base64, dates as
// seconds since 1970), or the reader's error on stderr with status 1.
#include "Plist.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

namespace {

void printString(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
    std::fputs(out.c_str(), stdout);
}

std::string base64(const PlistData &data)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const unsigned v = (unsigned char)data[i] << 16 | (unsigned char)data[i + 1] << 8 | (unsigned char)data[i + 2];
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += alphabet[v & 63];
    }
    if (i + 1 == data.size()) {
        const unsigned v = (unsigned char)data[i] << 16;
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += "==";
    } else if (i + 2 == data.size()) {
        const unsigned v = (unsigned char)data[i] << 16 | (unsigned char)data[i + 1] << 8;
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

void print(const boost::any &value)
{
    if (const auto *dict = boost::any_cast<PlistDictionary>(&value)) {
        std::fputc('{', stdout);
        bool first = true;
        for (const auto &entry : *dict) {
            if (!first)
                std::fputc(',', stdout);
            first = false;
            printString(entry.first);
            std::fputc(':', stdout);
            print(entry.second);
        }
        std::fputc('}', stdout);
    } else if (const auto *array = boost::any_cast<PlistArray>(&value)) {
        std::fputc('[', stdout);
        for (size_t i = 0; i < array->size(); ++i) {
            if (i)
                std::fputc(',', stdout);
            print((*array)[i]);
        }
        std::fputc(']', stdout);
    } else if (const auto *text = boost::any_cast<std::string>(&value)) {
        printString(*text);
    } else if (const auto *integer = boost::any_cast<int64_t>(&value)) {
        std::printf("%lld", static_cast<long long>(*integer));
    } else if (const auto *real = boost::any_cast<double>(&value)) {
        // JSON has no infinities or NaN; they are written as strings.
        if (std::isnan(*real))
            std::fputs("\"nan\"", stdout);
        else if (std::isinf(*real))
            std::fputs(*real > 0 ? "\"inf\"" : "\"-inf\"", stdout);
        else
            std::printf("%.17g", *real);
    } else if (const auto *flag = boost::any_cast<bool>(&value)) {
        std::fputs(*flag ? "true" : "false", stdout);
    } else if (const auto *data = boost::any_cast<PlistData>(&value)) {
        printString(base64(*data));
    } else if (const auto *date = boost::any_cast<PlistDate>(&value)) {
        std::printf("%lld", static_cast<long long>(date->timeSinceEpoch));
    } else {
        std::fputs("null", stdout);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plistdump FILE\n");
        return 2;
    }
    PlistDictionary root;
    try {
        readPlistFile(argv[1], root);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    print(root);
    std::fputc('\n', stdout);
    return 0;
}
