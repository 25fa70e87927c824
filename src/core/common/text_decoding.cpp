#include "core/common/text_decoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace cab {

namespace {

// One iconv conversion with a replacement for bytes the source cannot hold.
std::size_t utf8SequenceLength(std::string_view s);

// skipUtf8: on a failure skip one UTF-8 character of the source, else one byte.
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    bool skipUtf8) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv_open failed for ") + from);
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char buffer[4096];
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): replace and skip.
      out.append(replacement);
      std::size_t skip = skipUtf8 ? utf8SequenceLength(std::string_view(src, srcLeft)) : 1;
      src += skip;
      srcLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

std::size_t utf8SequenceLength(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return std::min(n, s.size());
}

}  // namespace

bool isValidUtf8(std::string_view b) {
  std::size_t i = 0;
  while (i < b.size()) {
    unsigned char c = static_cast<unsigned char>(b[i]);
    std::size_t n;
    char32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c >> 5) == 6) {
      n = 2;
      cp = c & 0x1F;
    } else if ((c >> 4) == 14) {
      n = 3;
      cp = c & 0x0F;
    } else if ((c >> 3) == 30) {
      n = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + n > b.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      unsigned char d = static_cast<unsigned char>(b[i + k]);
      if ((d >> 6) != 2) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += n;
  }
  return true;
}

std::string decodeCp932(std::string_view bytes) {
  // A bad lead byte takes one byte with it; a bad pair is resynchronised on the next byte.
  return convert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD", false);
}

std::string encodeCp932(std::string_view utf8) {
  return convert("CP932", "UTF-8", utf8, "?", true);
}

std::string decodeDataText(std::string_view bytes) {
  if (isValidUtf8(bytes)) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return std::string(bytes);
  }
  return decodeCp932(bytes);
}

}  // namespace cab
