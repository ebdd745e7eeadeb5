#include "wizard/source_highlighter.h"

#include <QPalette>
#include <QSet>

#include "generator/pascal_words.h"

namespace orvalen::wizard {

namespace {

// Block states of Pascal's two comment forms that run over several lines.
constexpr int kInBrace = 1;
constexpr int kInParenStar = 2;

// The reserved words and the directives the generated units use, in lower case.
const QSet<QString>& PascalWords() {
  static const QSet<QString> words = [] {
    QSet<QString> set;
    for (auto list : {PascalReservedWords(), PascalDirectives()})
      for (std::string_view word : list)
        set.insert(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    return set;
  }();
  return words;
}

bool IdentStart(QChar c) {
  return c.isLetter() || c == '_';
}
bool IdentChar(QChar c) {
  return c.isLetterOrNumber() || c == '_';
}

}  // namespace

SourceHighlighter::SourceHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void SourceHighlighter::SetLanguage(Language language, const QPalette& palette) {
  language_ = language;
  // Darker hues on a light page, lighter ones on a dark page.
  const bool dark = palette.color(QPalette::Base).lightness() < 128;
  auto colour = [dark](QColor light, QColor onDark) { return dark ? onDark : light; };
  keyword_ = QTextCharFormat();
  keyword_.setFontWeight(QFont::Bold);
  keyword_.setForeground(colour(QColor(0x00, 0x00, 0x80), QColor(0x8c, 0xb4, 0xff)));
  comment_ = QTextCharFormat();
  comment_.setFontItalic(true);
  comment_.setForeground(colour(QColor(0x00, 0x70, 0x00), QColor(0x7f, 0xd0, 0x7f)));
  string_ = QTextCharFormat();
  string_.setForeground(colour(QColor(0x90, 0x00, 0x90), QColor(0xff, 0x9c, 0xf0)));
  number_ = QTextCharFormat();
  number_.setForeground(colour(QColor(0x00, 0x60, 0x90), QColor(0x80, 0xd8, 0xff)));
  name_ = QTextCharFormat();
  name_.setForeground(colour(QColor(0x80, 0x30, 0x00), QColor(0xff, 0xc0, 0x80)));
  rehighlight();
}

void SourceHighlighter::highlightBlock(const QString& text) {
  setCurrentBlockState(0);
  if (language_ == Language::Pascal) Pascal(text);
  if (language_ == Language::FormText) FormText(text);
}

void SourceHighlighter::Pascal(const QString& text) {
  const int n = static_cast<int>(text.size());
  int i = 0;
  // A comment carried over from the previous line.
  const int carried = previousBlockState();
  if (carried == kInBrace || carried == kInParenStar) {
    const int end = carried == kInBrace ? text.indexOf('}') : text.indexOf("*)");
    if (end < 0) {
      setFormat(0, n, comment_);
      setCurrentBlockState(carried);
      return;
    }
    i = end + (carried == kInBrace ? 1 : 2);
    setFormat(0, i, comment_);
  }
  while (i < n) {
    const QChar c = text[i];
    if (c == '{' || (c == '(' && i + 1 < n && text[i + 1] == '*')) {
      const bool brace = c == '{';
      const int end = brace ? text.indexOf('}', i + 1) : text.indexOf("*)", i + 2);
      if (end < 0) {
        setFormat(i, n - i, comment_);
        setCurrentBlockState(brace ? kInBrace : kInParenStar);
        return;
      }
      const int stop = end + (brace ? 1 : 2);
      setFormat(i, stop - i, comment_);
      i = stop;
    } else if (c == '/' && i + 1 < n && text[i + 1] == '/') {
      setFormat(i, n - i, comment_);
      return;
    } else if (c == '\'') {
      int j = i + 1;
      while (j < n && text[j] != '\'') ++j;
      setFormat(i, std::min(j + 1, n) - i, string_);
      i = j + 1;
    } else if (c.isDigit() || (c == '$' && i + 1 < n && text[i + 1].isLetterOrNumber())) {
      int j = i + 1;
      while (j < n && (text[j].isLetterOrNumber() || text[j] == '.')) ++j;
      setFormat(i, j - i, number_);
      i = j;
    } else if (IdentStart(c)) {
      int j = i + 1;
      while (j < n && IdentChar(text[j])) ++j;
      if (PascalWords().contains(text.mid(i, j - i).toLower())) setFormat(i, j - i, keyword_);
      i = j;
    } else {
      ++i;
    }
  }
}

void SourceHighlighter::FormText(const QString& text) {
  const int n = static_cast<int>(text.size());
  int i = 0;
  while (i < n && text[i] == ' ') ++i;
  // A note in braces above the text (the preview's own), over several lines.
  if (previousBlockState() == kInBrace || text.mid(i, 2) == "{ ") {
    setFormat(0, n, comment_);
    if (!text.contains('}')) setCurrentBlockState(kInBrace);
    return;
  }
  // "object Name: TClass", "inherited ...", "end", "item": the structure.
  int j = i;
  while (j < n && IdentChar(text[j])) ++j;
  const QString first = text.mid(i, j - i);
  if (first == "object" || first == "inherited" || first == "inline" || first == "end" ||
      first == "item") {
    setFormat(i, j - i, keyword_);
    return;
  }
  // "Name = value": the property's (possibly dotted) name, then its value.
  const int equals = text.indexOf(" = ", i);
  if (equals > i) setFormat(i, equals - i, name_);
  for (int k = equals < 0 ? i : equals + 3; k < n;) {
    const QChar c = text[k];
    if (c == '\'') {
      int e = k + 1;
      while (e < n && text[e] != '\'') ++e;
      setFormat(k, std::min(e + 1, n) - k, string_);
      k = e + 1;
    } else if (c.isDigit() || c == '-') {
      int e = k + 1;
      while (e < n && (text[e].isLetterOrNumber() || text[e] == '.')) ++e;
      setFormat(k, e - k, number_);
      k = e;
    } else {
      ++k;
    }
  }
}

}  // namespace orvalen::wizard
