#include "app/ZoomFlightDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "platform/qt/LocalisedFileModel.h"

namespace morvale {
namespace {

struct SizeChoice {
    const char* text;
    int width, height;
};
constexpr SizeChoice kSizes[] = {
    {"1280 × 720", 1280, 720},
    {"1920 × 1080", 1920, 1080},
    {"3840 × 2160", 3840, 2160},
};
constexpr int kDefaultSize = 1;

}  // namespace

ZoomFlightDialog::ZoomFlightDialog(QWidget* parent, const QString& suggested)
    : QDialog(parent),
      file_(new QLineEdit(suggested)),
      size_(new QComboBox),
      secondsPerDoubling_(new QDoubleSpinBox),
      fps_(new QSpinBox) {
    setWindowTitle(QStringLiteral("Zoomfahrt speichern"));
    for (const SizeChoice& size : kSizes) size_->addItem(QString::fromUtf8(size.text));
    size_->setCurrentIndex(kDefaultSize);
    secondsPerDoubling_->setRange(0.1, 60.0);
    secondsPerDoubling_->setSingleStep(0.5);
    secondsPerDoubling_->setValue(1.0);
    fps_->setRange(10, 120);
    fps_->setValue(60);
    auto* browse = new QPushButton(QStringLiteral("Durchsuchen…"));
    connect(browse, &QPushButton::clicked, this, &ZoomFlightDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ZoomFlightDialog::CheckAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    auto* fileLabel = new QLabel(QStringLiteral("&Datei:"));
    fileLabel->setBuddy(file_);  // a row of two widgets gets no buddy of its own
    form->addRow(fileLabel, fileRow);
    form->addRow(QStringLiteral("&Größe:"), size_);
    form->addRow(QStringLiteral("&Sekunden je Verdopplung:"), secondsPerDoubling_);
    form->addRow(QStringLiteral("&Bilder je Sekunde:"), fps_);
    form->addRow(buttons);
    file_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
}

QString ZoomFlightDialog::File() const {
    return file_->text().trimmed();
}

ZoomVideoOptions ZoomFlightDialog::Options() const {
    ZoomVideoOptions o;
    const SizeChoice& size = kSizes[std::max(0, size_->currentIndex())];
    o.format.width = size.width;
    o.format.height = size.height;
    o.format.fps = fps_->value();
    o.secondsPerDoubling = secondsPerDoubling_->value();
    return o;
}

void ZoomFlightDialog::Browse() {
    QFileDialog dialog(this, QStringLiteral("Zoomfahrt speichern"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new LocalisedFileModel(&dialog));
    dialog.setNameFilter(QStringLiteral("MP4-Videos (*.mp4)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("mp4"));
    dialog.selectFile(File());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        file_->setText(dialog.selectedFiles().first());
}

void ZoomFlightDialog::CheckAccept() {
    if (File().isEmpty()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Bitte eine Videodatei angeben."));
        return;
    }
    accept();
}

}  // namespace morvale
