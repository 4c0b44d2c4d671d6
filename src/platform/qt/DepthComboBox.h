// An editable drop-down list with the three notifications the frame listens to: the user picked
// an item, the user edited the text, the box received the focus. Text set by the program raises
// none of them, and the item list never grows from typed text.
#pragma once

#include <QComboBox>
#include <functional>

namespace morvale {

class DepthComboBox : public QComboBox {
public:
    explicit DepthComboBox(QWidget* parent = nullptr);

    struct Notifications {
        std::function<void()> selChange;
        std::function<void()> editChange;
        std::function<void()> setFocus;
    };
    void SetNotifications(Notifications notifications) { notify_ = std::move(notifications); }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    Notifications notify_;
};

}  // namespace morvale
