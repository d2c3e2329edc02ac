#include "app/qt/typed_keys.h"

#include <QKeyEvent>

bool isArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

QString documentText(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x20 && unit != 0x7F) kept.append(c);
    }
    return kept;
}

QString typedText(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace:
            return QStringLiteral("\b");
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QStringLiteral("\r");
        default:
            break;
    }
    if (isArrowKey(event.key())) return {};
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    return documentText(event.text());
}
