// SPDX-License-Identifier: MIT
#include "base/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace velk {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16Le = "\xFF\xFE";
constexpr std::string_view kBomUtf16Be = "\xFE\xFF";

// Length of the valid UTF-8 sequence at i, or 0 when it is not valid.
size_t ValidSequenceLength(std::string_view s, size_t i, uint32_t* cpOut) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t len;
  uint32_t cp;
  if (c < 0x80) {
    if (cpOut) *cpOut = c;
    return 1;
  } else if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
      (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
    return 0;
  }
  if (cpOut) *cpOut = cp;
  return len;
}

// Runs iconv over the whole input. Each input position that cannot be converted is skipped by
// `skip` bytes and `substitute` is appended in its place. Returns false when anything was replaced.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out,
             std::string_view substitute, size_t skip) {
  out.clear();
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    out.assign(in);
    return false;
  }
  bool clean = true;
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: an unconvertible or truncated sequence.
    clean = false;
    out += substitute;
    const size_t step = skip < inLeft ? skip : inLeft;
    inPtr += step;
    inLeft -= step;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return clean;
}

}  // namespace

TTextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == kBomUtf8) return TTextEncoding::Utf8Bom;
  if (bytes.substr(0, 2) == kBomUtf16Le) return TTextEncoding::Utf16LeBom;
  if (bytes.substr(0, 2) == kBomUtf16Be) return TTextEncoding::Utf16BeBom;
  return TTextEncoding::Cp932;
}

std::string_view ByteOrderMark(TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Utf8Bom:
      return kBomUtf8;
    case TTextEncoding::Utf16LeBom:
      return kBomUtf16Le;
    case TTextEncoding::Utf16BeBom:
      return kBomUtf16Be;
    case TTextEncoding::Cp932:
      break;
  }
  return {};
}

std::string DecodeUtf8Lossy(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t len = ValidSequenceLength(bytes, i, nullptr);
    if (len == 0) {
      out += kReplacement;
      ++i;
    } else {
      out.append(bytes.substr(i, len));
      i += len;
    }
  }
  return out;
}

bool Cp932ToUtf8(std::string_view bytes, std::string& out) {
  return Convert("UTF-8", "CP932", bytes, out, kReplacement, 1);
}

std::string Utf8ToCp932(std::string_view utf8) {
  // Convert character by character where needed: a character the code page lacks becomes "?".
  const std::string clean = DecodeUtf8Lossy(utf8);
  std::string out;
  if (Convert("CP932", "UTF-8", clean, out, "?", 1)) return out;
  // Slow path: iconv skipped one byte at a time; redo per character so each becomes one "?".
  out.clear();
  size_t i = 0;
  std::string piece;
  while (i < clean.size()) {
    const size_t len = ValidSequenceLength(clean, i, nullptr);
    Convert("CP932", "UTF-8", std::string_view(clean).substr(i, len), piece, "?", len);
    out += piece;
    i += len;
  }
  return out;
}

std::string DecodeText(std::string_view bytes, TTextEncoding encoding) {
  bytes.remove_prefix(ByteOrderMark(encoding).size());
  std::string out;
  switch (encoding) {
    case TTextEncoding::Cp932:
      Cp932ToUtf8(bytes, out);
      return out;
    case TTextEncoding::Utf8Bom:
      return DecodeUtf8Lossy(bytes);
    case TTextEncoding::Utf16LeBom:
      Convert("UTF-8", "UTF-16LE", bytes, out, kReplacement, 2);
      return out;
    case TTextEncoding::Utf16BeBom:
      Convert("UTF-8", "UTF-16BE", bytes, out, kReplacement, 2);
      return out;
  }
  return out;
}

std::string EncodeText(std::string_view utf8, TTextEncoding encoding) {
  std::string out(ByteOrderMark(encoding));
  std::string body;
  switch (encoding) {
    case TTextEncoding::Cp932:
      return Utf8ToCp932(utf8);
    case TTextEncoding::Utf8Bom:
      return out + DecodeUtf8Lossy(utf8);
    case TTextEncoding::Utf16LeBom:
      Convert("UTF-16LE", "UTF-8", DecodeUtf8Lossy(utf8), body, std::string_view("?\0", 2), 1);
      return out + body;
    case TTextEncoding::Utf16BeBom:
      Convert("UTF-16BE", "UTF-8", DecodeUtf8Lossy(utf8), body, std::string_view("\0?", 2), 1);
      return out + body;
  }
  return out;
}

}  // namespace velk
