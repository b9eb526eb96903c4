// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/AccessibleBox.h"

#include <QLineEdit>

AccessibleBox::AccessibleBox(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText) {}

QLineEdit *AccessibleBox::box() const
{
    return static_cast<QLineEdit *>(widget());
}

QString AccessibleBox::text(QAccessible::Text t) const
{
    // The name comes from the box's label, as for any box; the value is what it shows.
    if (t == QAccessible::Value)
        return box()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleBox::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    return state;
}

void *AccessibleBox::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface && !box()->isReadOnly())
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleBox::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && box()->hasSelectedText()) {
        *startOffset = box()->selectionStart();
        *endOffset = box()->selectionEnd();
    }
}

int AccessibleBox::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void AccessibleBox::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleBox::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void AccessibleBox::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleBox::cursorPosition() const
{
    return box()->cursorPosition();
}

void AccessibleBox::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString AccessibleBox::text(int startOffset, int endOffset) const
{
    return box()->text().mid(startOffset, endOffset - startOffset);
}

int AccessibleBox::characterCount() const
{
    return static_cast<int>(box()->text().size());
}

QRect AccessibleBox::characterRect(int offset) const
{
    // Measured from the caret, which the box places where it draws it, scrolled or not: a
    // character stands on the caret's line, as far from it as the text between them is wide.
    const QFontMetrics metrics = box()->fontMetrics();
    const QString text = box()->text();
    const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                  metrics.horizontalAdvance(text.left(box()->cursorPosition()));
    const QRect character(x, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                          caret.height());
    return QRect(box()->mapToGlobal(character.topLeft()), character.size());
}

int AccessibleBox::offsetAtPoint(const QPoint &point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void AccessibleBox::scrollToSubstring(int, int) {}

QString AccessibleBox::attributes(int, int *startOffset, int *endOffset) const
{
    // One run, and no attribute in it: the box has one font and one colour.
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void AccessibleBox::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleBox::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleBox::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (box()->isReadOnly())
        return;
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}
