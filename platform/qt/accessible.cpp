// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/accessible.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace qtforms {

namespace {

// A painted text as a label with a text that can be read but not edited: no
// selection and no caret.
class PaintedTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    PaintedTextAccessible(QWidget *widget, const PaintedText &text)
        : QAccessibleWidget(widget, QAccessible::StaticText), m_text(text)
    {}

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Name && widget()->accessibleName().isEmpty())
            return m_text.shownText();
        return QAccessibleWidget::text(which);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override
    {
        const QString shown = m_text.shownText();
        return shown.mid(start, end < 0 ? -1 : end - start);
    }
    int characterCount() const override { return static_cast<int>(m_text.shownText().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    const PaintedText &m_text;
};

// The program's windows as a screen reader finds them: those shown now. Qt lists
// every window it has made, also the message box kept ready for a game's end with
// its warm-up text, and a closed help window; no player sees those. Popups (the open
// menus) are left out as Qt leaves them out: a screen reader reaches them from the
// menu bar. Qt 5 also left out its desktop window; Qt 6 makes none.
class ShownWindowsOnly : public QAccessibleApplication {
public:
    int childCount() const override { return static_cast<int>(shownWindows().size()); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(shownWindows().indexOf(child->object())) : -1;
    }
    QAccessibleInterface *child(int index) const override
    {
        const QObjectList windows = shownWindows();
        return index >= 0 && index < windows.size() ? QAccessible::queryAccessibleInterface(windows.at(index))
                                                    : nullptr;
    }

private:
    static QObjectList shownWindows()
    {
        QObjectList shown;
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (!window->isVisible() || window->type() == Qt::Popup)
                continue;
            if (QAccessibleInterface *root = window->accessibleRoot(); root && root->object())
                shown.append(root->object());
        }
        return shown;
    }
};

QAccessibleInterface *accessibleFor(const QString &, QObject *object)
{
    if (object == QCoreApplication::instance())
        return new ShownWindowsOnly;
    if (auto *text = dynamic_cast<PaintedText *>(object))
        return new PaintedTextAccessible(static_cast<QWidget *>(object), *text);
    return nullptr;
}

} // namespace

void serveScreenReaders()
{
    QAccessible::installFactory(accessibleFor);
}

void announceTextChange(QWidget &widget)
{
    if (!QAccessible::isActive())
        return; // no screen reader listens: nothing to build or send
    QAccessibleEvent event(&widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace qtforms
