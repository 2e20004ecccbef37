#include "platform/text_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lec::textfile {

namespace {

namespace fs = std::filesystem;

// Windows-1252 0x80..0x9F. The five bytes the code page leaves undefined map to
// the C1 control of the same value, as Windows itself does, so that any byte
// sequence survives a read and a write unchanged.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr char kUnmappable = '?';

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Nothing in the code page needs four bytes.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<unsigned char> toCp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// One code point from `s` at `i`; advances `i`. nullopt for an ill-formed
// sequence, after skipping its maximal well-formed prefix (one '?' per broken
// sequence, as the Unicode recommendation for replacement characters has it).
std::optional<char32_t> decodeUtf8(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;

    int length = 0;
    char32_t cp = 0;
    // The allowed range of the second byte rules out overlong forms, surrogates
    // and code points above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return std::nullopt;
    }

    for (int k = 1; k < length; ++k) {
        if (i >= s.size())
            return std::nullopt;
        const auto c = static_cast<unsigned char>(s[i]);
        if (k == 1 ? (c < low || c > high) : !isContinuation(c))
            return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
        ++i;
    }
    return cp;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool syncToDisk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(::fileno(f)) == 0;
#endif
}

// Makes the rename itself survive a power cut. Best effort: some file systems
// refuse to sync a folder, and the file's data is already safe by then.
void syncFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
    const std::string name = folder.empty() ? std::string(".") : folder.string();
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

// A new, empty file beside `target`; "x" makes the open fail rather than
// reuse a file another writer is filling.
std::FILE* createTempBeside(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(attempt);
        if (std::FILE* f = std::fopen(tempPath.c_str(), "wbx"))
            return f;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

bool writeWholeFile(std::FILE* f, std::string_view bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        return false;
    }
    return std::fflush(f) == 0 && syncToDisk(f);
}

}  // namespace

std::string fromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F) {
            appendUtf8(out, kHighControls[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::string toCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto cp = decodeUtf8(utf8, i);
        const auto b = cp ? toCp1252Byte(*cp) : std::nullopt;
        out += b ? static_cast<char>(*b) : kUnmappable;
    }
    return out;
}

std::optional<std::string> readAll(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    std::string data;
    std::array<char, std::size_t{64} * 1024> buffer;
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0)
        data.append(buffer.data(), n);
    const bool failed = std::ferror(f) != 0;  // a folder opens but cannot be read
    std::fclose(f);
    if (failed)
        return std::nullopt;
    return data;
}

std::optional<std::vector<std::string>> readLines(const std::string& path) {
    const auto data = readAll(path);
    if (!data)
        return std::nullopt;
    return splitLines(*data);
}

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.push_back(fromCp1252(rest));
            break;
        }
        lines.push_back(fromCp1252(rest.substr(0, end)));
        const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crLf ? 2 : 1));
    }
    return lines;
}

bool writeAll(const std::string& path, std::string_view bytes) {
    std::string tempPath;
    std::FILE* f = createTempBeside(path, tempPath);
    if (!f)
        return false;
    const bool written = writeWholeFile(f, bytes);
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (written && closed) {
        fs::rename(tempPath, path, ec);
        if (!ec) {
            syncFolder(fs::path(path).parent_path());
            return true;
        }
    }
    fs::remove(tempPath, ec);
    return false;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return writeAll(path, bytes);
}

bool appendLine(const std::string& path, std::string_view line) {
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f)
        return false;
    const bool written = writeWholeFile(f, toCp1252(line) + "\r\n");
    const bool closed = std::fclose(f) == 0;
    return written && closed;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

bool ensureFolder(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + '/' + name;
}

std::vector<std::string> splitItems(std::string_view line, Blanks blanks) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (true) {
        std::size_t start = pos;
        while (start < line.size() && isBlank(line[start]))
            ++start;

        if (start < line.size() && line[start] == '"') {
            // A quoted item ends at its closing quote; what follows it up to the
            // next comma is dropped, as an `Input #` read drops it.
            const auto close = line.find('"', start + 1);
            if (close == std::string_view::npos) {
                items.emplace_back(line.substr(start + 1));
                return items;
            }
            items.emplace_back(line.substr(start + 1, close - start - 1));
            const auto comma = line.find(',', close + 1);
            if (comma == std::string_view::npos)
                return items;
            pos = comma + 1;
            continue;
        }

        const auto comma = line.find(',', pos);
        const auto item =
            line.substr(pos, comma == std::string_view::npos ? line.npos : comma - pos);
        items.emplace_back(blanks == Blanks::Ignore ? trimBlanks(item) : item);
        if (comma == std::string_view::npos)
            return items;
        pos = comma + 1;
    }
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

std::string printedNumber(long long n) {
    return str(n) + ' ';
}

std::string str(long long n) {
    // The sign place holds a blank for a number that is not negative.
    return n < 0 ? std::to_string(n) : ' ' + std::to_string(n);
}

std::optional<double> parseNumber(std::string_view item) {
    std::size_t i = 0;
    while (i < item.size() && isBlank(item[i]))
        ++i;

    bool negative = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-'))
        negative = item[i++] == '-';

    const auto isDigit = [&](std::size_t k) {
        return k < item.size() && item[k] >= '0' && item[k] <= '9';
    };
    const std::size_t start = i;
    bool nonZeroWhole = false;
    for (; isDigit(i); ++i) {
        if (item[i] != '0')
            nonZeroWhole = true;
    }
    std::size_t digits = i - start;
    if (i < item.size() && item[i] == '.') {
        const std::size_t fraction = ++i;
        while (isDigit(i))
            ++i;
        digits += i - fraction;
    }
    if (digits == 0)
        return std::nullopt;

    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(item.data() + start, item.data() + i, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large for a double is no number; too small is zero.
        if (nonZeroWhole)
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace lec::textfile
