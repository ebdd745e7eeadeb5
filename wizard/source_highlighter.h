// Colours for the preview's text: Object Pascal source (reserved words,
// comments in all three forms, strings, numbers) and form text (the object
// lines, property names, strings, numbers). Colours follow the palette, so
// they stay legible on a dark one.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace orvalen::wizard {

class SourceHighlighter : public QSyntaxHighlighter {
 public:
  enum class Language { None, Pascal, FormText };
  explicit SourceHighlighter(QTextDocument* document);
  void SetLanguage(Language language, const QPalette& palette);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  void Pascal(const QString& text);
  void FormText(const QString& text);

  Language language_ = Language::None;
  QTextCharFormat keyword_, comment_, string_, number_, name_;
};

}  // namespace orvalen::wizard
