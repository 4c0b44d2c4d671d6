// Answers every modal dialog the soak's actions open, the way a restless user would: random rows
// and typed texts in the database dialogs, random files in file dialogs, any button in message
// boxes, and Cancel or Close elsewhere.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <random>

class QDialog;
class QFileDialog;
class QMessageBox;

namespace morvale::testing {

class ModalAnswerer : public QObject {
public:
    ModalAnswerer(std::mt19937& random, QDir folder);
    ~ModalAnswerer() override;

    // Dialogs answered so far, and how many of them were database dialogs.
    int Answered() const { return answered_; }
    int DatabaseDialogs() const { return databaseDialogs_; }
    // Dialogs that stayed open after their answer and had to be closed.
    const QString& Unclosed() const { return unclosed_; }

    // A random text as users type it: numbers, signs, letters, percent signs, umlauts, nothing.
    static QString RandomText(std::mt19937& random);
    // A depth text that keeps a drawing short: small, zero, negative or not a number.
    static QString RandomDepth(std::mt19937& random);
    // Types text into widget key by key, characters beyond ASCII included.
    static void TypeText(QWidget* widget, const QString& text);

private:
    void Poll();
    void Answer(QWidget* modal);
    void AnswerFileDialog(QFileDialog* dialog);
    void AnswerMessageBox(QMessageBox* box);
    void AnswerDatabaseDialog(QDialog* dialog);
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::mt19937& random_;
    QDir folder_;
    QTimer poll_;
    QPointer<QWidget> current_;
    int answered_ = 0;
    int databaseDialogs_ = 0;
    QString unclosed_;
    QElapsedTimer sinceAnswer_;
};

}  // namespace morvale::testing
