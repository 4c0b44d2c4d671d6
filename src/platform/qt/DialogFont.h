// The font of the dialogs and of the depth box.
#pragma once

#include <QFont>

namespace morvale {

// "MS Sans Serif" 8 pt, as the dialog templates ask; Qt falls back to the desktop's sans font.
inline QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

}  // namespace morvale
