#pragma once

#include "model/CodeLines.h"
#include "model/ReportControl.h"

// A code block: free Report-Writer lines shown as a transparent label whose
// caption mirrors the code. It is a non-windowed control: it takes no mouse
// input itself; the cover of its parent finds it under the pointer.
class CodeBlock : public ReportControl
{
    Q_OBJECT

public:
    CodeBlock(ComponentOwner *owner, QWidget *parent);

    const CodeLines &code() const { return m_code; }
    CodeLines &code() { return m_code; }
    void setCode(const CodeLines &code);
    // caption = CR + line, for every line of code.
    void rebuildCaption();

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    void setName(const QString &name) override;

    bool isWindowed() const override { return false; }
    void paintFace(QPainter &painter) const override;

    bool autoSize = false;
    bool transparent = true;
    bool wordWrap = false;

private:
    CodeLines m_code;
    QString m_caption;
};
