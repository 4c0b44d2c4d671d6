// The small dialog of "Zoomfahrt speichern…": the video file, its size, the seconds per doubling
// of the height and the frame rate.
#pragma once

#include <QDialog>

#include "video/ZoomVideo.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace morvale {

class ZoomFlightDialog : public QDialog {
public:
    // folder: where the file dialog starts; suggested: the file name offered.
    ZoomFlightDialog(QWidget* parent, const QString& suggested);

    QString File() const;
    ZoomVideoOptions Options() const;

private:
    void Browse();
    void CheckAccept();

    QLineEdit* file_;
    QComboBox* size_;
    QDoubleSpinBox* secondsPerDoubling_;
    QSpinBox* fps_;
};

}  // namespace morvale
