#include "member_name.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace vistel::archive_io {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Length of the UTF-8 sequence that starts at bytes[i], 0 when it is malformed.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

bool isCp932LeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

std::optional<std::string> latin1Bytes(const wchar_t* text) {
    std::string bytes;
    for (; *text != L'\0'; ++text) {
        if (static_cast<std::uint32_t>(*text) > 0xFF) return std::nullopt;
        bytes.push_back(static_cast<char>(*text));
    }
    return bytes;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

void truncateUtf8(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return;
    std::size_t end = maxBytes;
    // Step back over continuation bytes to the start of the sequence that does not fit.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
}

MemberNameDecoder::~MemberNameDecoder() {
    if (cp932_ != kNoConverter) iconv_close(cp932_);
}

std::string MemberNameDecoder::decode(std::string_view raw) {
    if (isValidUtf8(raw)) return std::string(raw);
    return fromCp932(raw);
}

std::string MemberNameDecoder::fromCp932(std::string_view raw) {
    if (!cp932Tried_) {
        cp932Tried_ = true;
        cp932_ = iconv_open("UTF-8", "CP932");
    }
    std::string result;
    if (cp932_ == kNoConverter) {
        result.assign(raw);
        std::replace_if(
            result.begin(), result.end(), [](char c) { return (c & 0x80) != 0; }, '_');
        return result;
    }

    std::string bytes(raw);
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (!isCp932LeadByte(bytes[i])) continue;
        if (bytes[i + 1] == '/') bytes[i + 1] = '\\';
        ++i;
    }
    raw = bytes;

    iconv(cp932_, nullptr, nullptr, nullptr, nullptr);
    // One CP932 byte becomes at most three UTF-8 bytes (half-width katakana).
    std::string buffer(raw.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(raw.data());
    std::size_t inLeft = raw.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = iconv(cp932_, &in, &inLeft, &out, &outLeft);
        result.append(buffer.data(), buffer.size() - outLeft);
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // A byte that CP932 does not define, or a lead byte without its trail byte.
        result.push_back('_');
        ++in;
        --inLeft;
        iconv(cp932_, nullptr, nullptr, nullptr, nullptr);
    }
    return result;
}

std::optional<MemberPath> sanitizeMemberPath(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;

    std::string normalized(name);
    std::replace(normalized.begin(), normalized.end(), '\\', '/');
    if (normalized.front() == '/') return std::nullopt;
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (normalized.size() >= 2 && isLetter(normalized[0]) && normalized[1] == ':') return std::nullopt;

    MemberPath path;
    path.folder = normalized.back() == '/';
    std::string_view rest = normalized;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") return std::nullopt;
        if (!path.relative.empty()) path.relative.push_back('/');
        path.relative.append(part);
    }
    if (path.relative.empty()) return std::nullopt;
    return path;
}

}  // namespace vistel::archive_io
