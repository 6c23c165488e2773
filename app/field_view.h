// Draws the game window's controls, back to front, from their twips.
#pragma once

#include <QWidget>

class FrmTolvarn;

class FieldView : public QWidget {
public:
    explicit FieldView(FrmTolvarn &form, QWidget *parent = nullptr);

    // Repaints what a moved shape or a changed label covers, before and after.
    void repaintTwips(const QRectF &oldBox, const QRectF &newBox);
    void repaintTwips(const QRectF &box);

    // The clock's face: Verdana bold at 19 pixels, or the nearest bold sans-serif.
    static QFont clockFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FrmTolvarn &m_form;
    QFont m_clockFont;
};
