#include "skin/graphics/sHtml.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "skin/core/sCommonUtils.h"

namespace skin {

namespace {

struct TacColorName {
  const char* Name;
  TColor Color;
};

constexpr std::array<TacColorName, 16> kColorNames{{
    {"AQUA", 0xFFFF00}, {"BLACK", 0x000000}, {"BLUE", 0xFF0000},  {"FUCHSIA", 0xFF00FF},
    {"GRAY", 0x808080}, {"GREEN", 0x008000}, {"LIME", 0x00FF00},  {"MAROON", 0x000080},
    {"NAVY", 0x800000}, {"OLIVE", 0x008080}, {"PURPLE", 0x800080}, {"RED", 0x0000FF},
    {"SILVER", 0xC0C0C0}, {"TEAL", 0x808000}, {"WHITE", 0xFFFFFF}, {"YELLOW", 0x00FFFF},
}};

struct TacEntity {
  const char* Name;
  const char* Code;
  const char* Char;  // UTF-8
};

constexpr TacEntity kEntities[] = {
    {"ndash", "#8211", "\u2013"}, {"mdash", "#8212", "\u2014"}, {"nbsp", "#160", "\u00A0"},
    {"iexcl", "#161", "\u00A1"},  {"iquest", "#191", "\u00BF"}, {"quot", "#34", "\""},
    {"ldquo", "#8220", "\u201C"}, {"rdquo", "#8221", "\u201D"}, {"39", "39", "'"},
    {"lsquo", "#8216", "\u2018"}, {"rsquo", "#8217", "\u2019"}, {"laquo", "#171", "\u00AB"},
    {"raquo", "#187", "\u00BB"},  {"amp", "#38", "&"},          {"cent", "#162", "\u00A2"},
    {"copy", "#169", "\u00A9"},   {"divide", "#247", "\u00F7"}, {"gt", "#62", ">"},
    {"lt", "#60", "<"},           {"micro", "#181", "\u00B5"},  {"middot", "#183", "\u00B7"},
    {"para", "#182", "\u00B6"},   {"plusmn", "#177", "\u00B1"}, {"euro", "#8364", "\u20AC"},
    {"pound", "#163", "\u00A3"},  {"reg", "#174", "\u00AE"},    {"sect", "#167", "\u00A7"},
    {"trade", "#153", "\u2122"},  {"yen", "#165", "\u00A5"},    {"szlig", "#223", "\u00DF"},
    {"yuml", "#255", "\u00FF"},   {"aacute", "#225", "\u00E1"}, {"Aacute", "#193", "\u00C1"},
    {"agrave", "#224", "\u00E0"}, {"Agrave", "#192", "\u00C0"}, {"acirc", "#226", "\u00E2"},
    {"Acirc", "#194", "\u00C2"},  {"aring", "#229", "\u00E5"},  {"Aring", "#197", "\u00C5"},
    {"atilde", "#227", "\u00E3"}, {"Atilde", "#195", "\u00C3"}, {"auml", "#228", "\u00E4"},
    {"Auml", "#196", "\u00C4"},   {"aelig", "#230", "\u00E6"},  {"AElig", "#198", "\u00C6"},
    {"ccedil", "#231", "\u00E7"}, {"Ccedil", "#199", "\u00C7"}, {"eacute", "#233", "\u00E9"},
    {"Eacute", "#201", "\u00C9"}, {"egrave", "#232", "\u00E8"}, {"Egrave", "#200", "\u00C8"},
    {"ecirc", "#234", "\u00EA"},  {"Ecirc", "#202", "\u00CA"},  {"euml", "#235", "\u00EB"},
    {"Euml", "#203", "\u00CB"},   {"iacute", "#237", "\u00ED"}, {"Iacute", "#205", "\u00CD"},
    {"igrave", "#236", "\u00EC"}, {"Igrave", "#204", "\u00CC"}, {"icirc", "#238", "\u00EE"},
    {"Icirc", "#206", "\u00CE"},  {"iuml", "#239", "\u00EF"},   {"Iuml", "#207", "\u00CF"},
    {"ntilde", "#241", "\u00F1"}, {"Ntilde", "#209", "\u00D1"}, {"oacute", "#243", "\u00F3"},
    {"Oacute", "#211", "\u00D3"}, {"ograve", "#242", "\u00F2"}, {"Ograve", "#210", "\u00D2"},
    {"ocirc", "#244", "\u00F4"},  {"Ocirc", "#212", "\u00D4"},  {"oslash", "#248", "\u00F8"},
    {"Oslash", "#216", "\u00D8"}, {"otilde", "#245", "\u00F5"}, {"Otilde", "#213", "\u00D5"},
    {"ouml", "#246", "\u00F6"},   {"Ouml", "#214", "\u00D6"},   {"uacute", "#250", "\u00FA"},
    {"Uacute", "#218", "\u00DA"}, {"ugrave", "#249", "\u00F9"}, {"Ugrave", "#217", "\u00D9"},
    {"ucirc", "#251", "\u00FB"},  {"Ucirc", "#219", "\u00DB"},  {"uuml", "#252", "\u00FC"},
    {"Uuml", "#220", "\u00DC"},   {"#180", "#180", "\u00B4"},   {"#96", "#96", "`"},
};
static_assert(std::size(kEntities) == 87);

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

// Only ASCII letters change, so every byte keeps its place and positions found in the upper
// copy address the text as written.
std::string UpperAscii(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = Upper(c);
  return u;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Line ends are never drawn.
std::string WithoutLineEnds(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

// A signed decimal number of at most nine digits; false for anything else.
bool ParseSmallInt(std::string_view s, int& value) {
  if (s.empty() || s.size() > 9) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

// Font sizes stay within what a font can be asked for.
int ClampSize(int64_t size) { return static_cast<int>(std::clamp<int64_t>(size, -1638, 1638)); }

}  // namespace

TColor HtmlLinkColor(const TacHtmlLinkColors& colors, int type) {
  if (!colors.SkinActive) return type == 2 ? 0x0000FF : 0xFF0000;
  switch (type) {
    case 0: return colors.Link;
    case 1: return colors.HotLink;
    default: return MixColors(colors.HotLink, colors.Font, 127);
  }
}

TColor HtmlColorValue(std::string_view w) {
  const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  if (w.size() == 7 && w[0] == '#' && std::all_of(w.begin() + 1, w.end(), isHex))
    return SwapRedBlue24(static_cast<uint32_t>(ParseHex(w.substr(1))) & 0xFFFFFF);
  for (const TacColorName& c : kColorNames)
    if (w == c.Name) return c.Color;
  return SwapRedBlue24(static_cast<uint32_t>(ParseHex(w)) & 0xFFFFFF);
}

std::string HtmlEntity(std::string_view name) {
  for (const TacEntity& e : kEntities)
    if (name == e.Name || name == e.Code) return e.Char;
  for (const TacEntity& e : kEntities)
    if (SameIgnoringCase(name, e.Name)) return e.Char;
  return {};
}

std::string HtmlHref(std::string_view tag) {
  const std::string up = UpperAscii(tag);
  size_t i = up.find("HREF");
  if (i == std::string::npos) return {};
  i = up.find('=', i + 4);
  if (i == std::string::npos) return {};
  ++i;
  while (i < tag.size() && IsSpace(tag[i])) ++i;
  std::string out;
  if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
    const char quote = tag[i++];
    const size_t end = tag.find(quote, i);
    out = tag.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
  } else {
    size_t end = i;
    while (end < tag.size() && !IsSpace(tag[end]) && tag[end] != '>') ++end;
    out = tag.substr(i, end - i);
  }
  std::erase_if(out, [](char c) { return c == '\'' || c == '"' || c == '>'; });
  return out;
}

std::string HtmlPlainText(std::string_view text) {
  std::string s(text);
  size_t from = 0;
  for (;;) {
    const size_t lt = s.find('<', from);
    if (lt == std::string::npos || lt + 1 >= s.size()) break;
    const size_t gt = s.find('>', lt + 1);
    if (gt == std::string::npos) break;
    s.erase(lt, gt - lt + 1);
    from = lt;
  }
  return s;
}

void TsHtml::Init(TacHtmlCanvas& canvas, std::string_view text, int hotIndex, int pressedIndex, const TRect& r) {
  canvas_ = &canvas;
  defaultColor_ = canvas.Font().Color;
  text_.assign(text);
  up_ = UpperAscii(text);
  rect_ = r;
  widest_ = lineWidth_ = 0;
  hot_ = hotIndex;
  pressed_ = pressedIndex;
  flags_ = kDT_NOCLIP | kDT_VCENTER;
  if (BiDiMode == bdRightToLeft) flags_ |= kDT_RTLREADING | kDT_RIGHT;
  if (BiDiMode == bdRightToLeftNoAlign) flags_ |= kDT_RTLREADING;
}

void TsHtml::Render(TacLinks& links, bool measureOnly, TRect& r) {
  if (!canvas_) return;
  // The measuring pass finds every line's width, which the drawing pass aligns by; it works
  // on a copy, so the drawing pass keeps the caller's rectangle.
  lines_.clear();
  measuring_ = true;
  const TacHtmlFont saved = canvas_->Font();
  TRect measured = r;
  Layout(measured);
  canvas_->SetFont(saved);
  measuring_ = false;
  if (measureOnly) {
    r = measured;
  } else {
    Layout(r);
    canvas_->SetFont(saved);
  }
  links = links_;
}

void TsHtml::Layout(TRect& r) {
  TacHtmlFont f = canvas_->Font();
  f.Color = defaultColor_;
  canvas_->SetFont(f);
  fonts_.clear();
  line_ = 0;
  widest_ = lineWidth_ = lineHeight_ = 0;
  lineText_.clear();
  top_ = y_ = r.Top;
  StartLine(r);
  links_.clear();
  linkOpen_ = false;
  p_ = pend_ = 0;
  const size_t n = up_.size();
  while (p_ < n) {
    const char c = up_[p_];
    if (c == '\r' || c == '\n') {
      // A line end separates words like a space but breaks no line.
      FlushWord(r);
      ++p_;
      if (c == '\r' && p_ < n && up_[p_] == '\n') ++p_;
    } else if (c == ' ') {
      FlushWord(r);  // the space stays pending and goes out with the next word
      ++p_;
    } else if (c == '&') {
      Reference(r);
    } else if (c == '<') {
      Tag(r);
    } else {
      ++p_;
    }
  }
  FlushWord(r);
  if (linkOpen_) CloseLink();
  if (measuring_) lines_.push_back({lineText_, lineWidth_, lineHeight_});
  widest_ = std::max(widest_, lineWidth_);
  r = {0, 0, widest_, y_ - top_ + lineHeight_};
}

void TsHtml::StartLine(const TRect& r) {
  x_ = r.Left;
  if (!measuring_ && !lines_.empty()) {
    const int w = lines_[std::min(line_, lines_.size() - 1)].Width;
    TAlignment a = Alignment;
    if (BiDiMode == bdRightToLeft && a != taCenter) a = a == taLeftJustify ? taRightJustify : taLeftJustify;
    if (a == taRightJustify)
      x_ = r.Left + r.Width() - w;
    else if (a == taCenter)
      x_ = r.Left + (r.Width() - w) / 2;
  }
  lineStartX_ = x_;
}

void TsHtml::LineBreak(const TRect& r) {
  if (lineHeight_ == 0)
    lineHeight_ = (measuring_ || line_ >= lines_.size()) ? YyHeight() : lines_[line_].Height;
  y_ += lineHeight_ + 2;
  if (measuring_) lines_.push_back({lineText_, lineWidth_, lineHeight_});
  widest_ = std::max(widest_, lineWidth_);
  lineWidth_ = lineHeight_ = 0;
  lineText_.clear();
  ++line_;
  StartLine(r);
}

void TsHtml::Draw(std::string_view raw) {
  const std::string text = WithoutLineEnds(raw);
  if (text.empty()) return;
  const TPoint e = canvas_->TextExtent(text);
  lineHeight_ = std::max(lineHeight_, e.Y);
  if (!measuring_) {
    if (AlphaText)
      canvas_->TextRectAlpha(text, {x_, y_, x_ + e.X, y_ + e.Y}, flags_);
    else
      canvas_->TextRect(text, {x_, y_, x_ + e.X, y_ + lineHeight_}, flags_);
  } else {
    lineText_ += text;
  }
  x_ += e.X;
  lineWidth_ += e.X;
}

void TsHtml::FlushWord(const TRect& r) {
  std::string word = WithoutLineEnds(std::string_view(text_).substr(pend_, p_ - pend_));
  pend_ = p_;
  if (word.empty()) return;
  int w = canvas_->TextExtent(word).X;
  if (r.Right > 0 && x_ + w > r.Right) {
    // The word goes to the next line without the space before it; a word wider than the
    // whole rectangle takes a line of its own.
    if (word[0] == ' ') {
      word.erase(0, 1);
      w = canvas_->TextExtent(word).X;
    }
    if (x_ > lineStartX_) LineBreak(r);
    Draw(word);
    if (r.Width() < w) LineBreak(r);
  } else {
    Draw(word);
  }
}

void TsHtml::Reference(const TRect& r) {
  FlushWord(r);
  const size_t n = text_.size();
  if (p_ + 1 < n && text_[p_ + 1] == '&') {  // "&&" is one "&"
    Draw("&");
    p_ += 2;
    pend_ = p_;
    return;
  }
  size_t semi = std::string::npos;
  for (size_t i = p_ + 1; i < n && i <= p_ + 255; ++i) {
    if (IsSpace(text_[i]) || text_[i] == '&' || text_[i] == '<') break;
    if (text_[i] == ';') {
      semi = i;
      break;
    }
  }
  const std::string ch =
      semi == std::string::npos ? std::string() : HtmlEntity(std::string_view(text_).substr(p_ + 1, semi - p_ - 1));
  if (ch.empty()) {  // plain text: the "&" stays pending
    ++p_;
    return;
  }
  const int w = canvas_->TextExtent(ch).X;
  if (r.Right > 0 && x_ + w > r.Right && x_ > lineStartX_) LineBreak(r);
  Draw(ch);
  lineHeight_ = std::max(lineHeight_, YyHeight());
  p_ = pend_ = semi + 1;
}

void TsHtml::Tag(const TRect& r) {
  const size_t n = text_.size();
  if (p_ + 1 < n && text_[p_ + 1] == '<') {  // "<<" is one "<"
    FlushWord(r);
    Draw("<");
    p_ += 2;
    pend_ = p_;
    return;
  }
  FlushWord(r);
  const size_t gt = up_.find('>', p_ + 1);
  if (gt == std::string::npos) {  // no end: the "<" is dropped
    pend_ = ++p_;
    return;
  }
  if (ApplyTag(p_, gt + 1, r)) {
    p_ = pend_ = gt + 1;
  } else {
    ++p_;  // drawn as text, starting with the "<"
  }
}

bool TsHtml::ApplyTag(size_t from, size_t to, const TRect& r) {
  const std::string_view t = std::string_view(up_).substr(from, to - from);
  // The tag's name at Pos, followed by a space or the end of the tag.
  const auto named = [&](size_t pos, std::string_view name) {
    if (t.compare(pos, name.size(), name) != 0) return false;
    const size_t after = pos + name.size();
    return after < t.size() && (IsSpace(t[after]) || t[after] == '>');
  };
  if (t.starts_with("</")) {
    if (named(2, "B")) {
      TacHtmlFont f = canvas_->Font();
      f.Bold = false;
      canvas_->SetFont(f);
    } else if (named(2, "I")) {
      TacHtmlFont f = canvas_->Font();
      f.Italic = false;
      canvas_->SetFont(f);
    } else if (named(2, "U")) {
      TacHtmlFont f = canvas_->Font();
      f.Underline = false;
      canvas_->SetFont(f);
    } else if (named(2, "FONT")) {
      PopFont();
    } else if (named(2, "A")) {
      if (linkOpen_) CloseLink();
      PopFont();
    } else if (named(2, "P")) {
      LineBreak(r);
    } else {
      return false;
    }
    return true;
  }
  if (named(1, "BR") || named(1, "BR/") || named(1, "P")) {
    LineBreak(r);
  } else if (named(1, "B") || named(1, "I") || named(1, "U")) {
    TacHtmlFont f = canvas_->Font();
    (t[1] == 'B' ? f.Bold : t[1] == 'I' ? f.Italic : f.Underline) = true;
    canvas_->SetFont(f);
  } else if (named(1, "FONT")) {
    PushFont();
    ApplyFontAttributes(from, to);
  } else if (named(1, "A")) {
    if (linkOpen_) CloseLink();
    PushFont();
    const int number = static_cast<int>(links_.size());
    const int type = (number == hot_ ? 1 : 0) + (number == pressed_ ? 1 : 0);
    TacHtmlFont f = canvas_->Font();
    f.Color = HtmlLinkColor(LinkColors, type);
    if (type > 0) f.Underline = true;
    canvas_->SetFont(f);
    links_.push_back({{x_, y_, x_, y_}, text_.substr(from, to - from)});
    linkOpen_ = true;
  } else {
    return false;
  }
  return true;
}

void TsHtml::ApplyFontAttributes(size_t from, size_t to) {
  const std::string_view t = std::string_view(up_).substr(from, to - from);
  constexpr std::string_view delims = "\n\r \"<=>";
  std::vector<std::pair<size_t, size_t>> words;  // offset and length inside the tag
  for (size_t i = 0; i < t.size();) {
    while (i < t.size() && delims.find(t[i]) != std::string_view::npos) ++i;
    const size_t start = i;
    while (i < t.size() && delims.find(t[i]) == std::string_view::npos) ++i;
    if (i > start) words.emplace_back(start, i - start);
  }
  TacHtmlFont f = canvas_->Font();
  for (size_t k = 0; k < words.size(); ++k) {
    const std::string_view w = t.substr(words[k].first, words[k].second);
    const bool hasValue = k + 1 < words.size();
    const std::string_view v = hasValue ? t.substr(words[k + 1].first, words[k + 1].second) : std::string_view();
    if (w == "SIZE" && hasValue) {
      int n = 0;
      if ((v[0] == '+' || v[0] == '-') && ParseSmallInt(v.substr(1), n))
        f.Size = ClampSize(static_cast<int64_t>(f.Size) + (v[0] == '+' ? n : -n));
      else if (ParseSmallInt(v, n))
        f.Size = ClampSize(n);
      else
        f.Size = 8;
    } else if (w == "COLOR" && hasValue) {
      f.Color = HtmlColorValue(v);
    } else if (w == "FACE") {
      // Between the first two double quotes after the word, as written.
      const size_t q1 = t.find('"', words[k].first);
      const size_t q2 = q1 == std::string_view::npos ? q1 : t.find('"', q1 + 1);
      if (q2 != std::string_view::npos) f.Name = text_.substr(from + q1 + 1, q2 - q1 - 1);
    }
  }
  canvas_->SetFont(f);
}

void TsHtml::PushFont() { fonts_.push_back(canvas_->Font()); }

void TsHtml::PopFont() {
  if (fonts_.empty()) return;
  canvas_->SetFont(fonts_.back());
  fonts_.pop_back();
}

void TsHtml::CloseLink() {
  TacLink& l = links_.back();
  l.Href = HtmlHref(l.Href);
  l.Rect.Right = x_;
  l.Rect.Bottom = l.Rect.Top + lineHeight_;
  linkOpen_ = false;
}

}  // namespace skin
