#pragma once

#include "model/GlobalUnit.h"
#include "model/ReportControl.h"

// A code block: free Report-Writer lines shown as a transparent label whose
// caption mirrors the code. It is a non-windowed control: it takes no mouse
// input itself; the cover of its parent finds it under the pointer.
class TMBlockCode : public TReportControl
{
    Q_OBJECT

public:
    TMBlockCode(ComponentOwner *owner, QWidget *parent);

    const CodeLines &Code() const { return m_code; }
    CodeLines &Code() { return m_code; }
    void setCode(const CodeLines &code);
    // Caption = CR + line, for every line of Code.
    void rebuildCaption();

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    void setName(const QString &name) override;

    bool isWindowed() const override { return false; }

    bool autoSize = false;
    bool transparent = true;
    bool wordWrap = false;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CodeLines m_code;
    QString m_caption;
};
