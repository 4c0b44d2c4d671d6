// A toolbar strip cut into button images: 16 x 15 pixels each, in button order, and the same
// strip drawn at twice the size beside it ("toolbar.png": "toolbar@2x.png") for screens of
// pixel ratio 2.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace morvale {

inline constexpr QSize kButtonImage(16, 15);

class ButtonImages {
public:
    explicit ButtonImages(const QString& stripFile);

    // Whole button images in the strip (0 when it could not be read).
    int Count() const;
    // Button `index` for pixel ratio 1 or 2; at 2 the sharp form where there is one.
    QImage Image(int index, int ratio) const;
    // Both forms, so that the toolbar shows the sharp one at ratio 2.
    QIcon Icon(int index) const;

private:
    QImage strip_;
    QImage fine_;  // null when missing or of the wrong size
};

}  // namespace morvale
