#pragma once

#include <Qsci/qscilexercustom.h>

// Colouring of Report-Writer text. A word is any run of non-blank
// characters; words beginning with "." (the dot-commands) stand out,
// comments are "(* ... *)" or "/* ... */" and may span lines, strings are
// quoted with ' or ", and the keyword "#--<" is drawn in the background
// colour, so it hides.
class ReportWriterLexer : public QsciLexerCustom
{
    Q_OBJECT

public:
    enum Style {
        Default,
        DotCommand,
        ParenComment, // (* ... *)
        SlashComment, // /* ... */
        String,
        Keyword,
    };

    explicit ReportWriterLexer(QObject *parent = nullptr);

    const char *language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;

    // The text font and the background colour of every style; the
    // keyword takes the background colour as its text colour.
    void setEditorFont(const QFont &font);
    void setBackground(const QColor &colour);

    void styleText(int start, int end) override;

private:
    // The comment still open at the end of a line, kept as line state.
    enum OpenComment { NoComment, OpenParen, OpenSlash };

    OpenComment styleLine(const QByteArray &line, OpenComment open);
    static int closingEnd(const QByteArray &line, int from, OpenComment kind);
    static Style commentStyle(OpenComment kind);
    static Style wordStyle(const QByteArray &word);
};
