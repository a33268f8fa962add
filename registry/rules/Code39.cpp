#include "registry/rules/Code39.h"

#include <array>

namespace registry::rules {

namespace {

// The standard's table: for each character which of its five bars and four spaces are
// wide. The bar pairs run through the same ten patterns in every row of ten characters
// and the row decides the wide space; "$", "/", "+" and "%" have narrow bars only.
constexpr std::array<const char*, 10> kBars = {"10001", "01001", "11000", "00101", "10100",
                                               "01100", "00011", "10010", "01010", "00110"};
constexpr std::string_view kRows[4] = {"1234567890", "ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZ-. *"};
constexpr std::array<const char*, 4> kRowSpaces = {"0100", "0010", "0001", "1000"};
constexpr std::string_view kSymbols = "$/+%";
constexpr std::array<const char*, 4> kSymbolSpaces = {"1110", "1101", "1011", "0111"};

struct TTable {
  std::array<std::array<char, 10>, 128> patterns{};  // "" for characters without a code
  TTable() {
    auto put = [this](char c, const char* bars, const char* spaces) {
      auto& p = patterns[static_cast<unsigned char>(c)];
      for (int i = 0; i < 9; ++i) p[i] = (i % 2 == 0 ? bars[i / 2] : spaces[i / 2]) == '1' ? 'w' : 'n';
      p[9] = 0;
    };
    for (int row = 0; row < 4; ++row)
      for (int i = 0; i < 10; ++i) put(kRows[row][i], kBars[i], kRowSpaces[row]);
    for (int i = 0; i < 4; ++i) put(kSymbols[i], "00000", kSymbolSpaces[i]);
  }
};

const TTable& Table() {
  static const TTable table;
  return table;
}

}  // namespace

std::string_view Code39Pattern(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  auto u = static_cast<unsigned char>(c);
  if (u >= 128) return {};
  return std::string_view(Table().patterns[u].data());
}

std::string Code39Modules(std::string_view text, int wide) {
  std::string modules;
  for (size_t i = 0; i < text.size(); ++i) {
    std::string_view pattern = Code39Pattern(text[i]);
    if (pattern.empty())
      throw ECode39Error(rtl::Format("Karakter '%c' tidak ada dalam Code 39", text[i]));
    if (i > 0) modules += '0';
    for (int e = 0; e < 9; ++e) modules.append(pattern[e] == 'w' ? wide : 1, e % 2 == 0 ? '1' : '0');
  }
  return modules;
}

std::string Code39Framed(std::string_view digits) { return "*" + std::string(digits) + "*"; }

}  // namespace registry::rules
