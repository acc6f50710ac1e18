#pragma once
// The "Tag" tab: title, artist, album and the other tags, and the cover
// picture, that the tag writer puts into an audio output. It shows what the
// source carries and writes every change into the holder at once.
#include "QEditOperationForm.h"
#include "VEAudioTagInfo.h"

#include <functional>

class QLabel;
class QVoBaseButton;
class QVoComboBox;
class QVoLineEdit;
class QVoTextEdit;

class QAudioTagForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QAudioTagForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

    void loadSettings() override { loadTags(); }

    // Asks for one picture file (title, start folder, filter); empty when
    // none was chosen. A file dialog by default.
    using FileChooser = std::function<QString(QWidget *, const QString &, const QString &, const QString &)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // A track or disc string from its two boxes: empty when the number is
    // not positive, the number alone when the total is not.
    static std::string numberPair(const QString &number, const QString &total);
    // A stored track or disc string split for its two boxes.
    static QPair<QString, QString> splitNumberPair(const std::string &value);
    // Tag bytes as text: UTF-8 when they are valid UTF-8, else the legacy
    // 8-bit code page.
    static QString tagText(const std::string &bytes);
    static QStringList genres();

    QVoLineEdit *edit(const char *name) const;
    QVoComboBox *genreCombo() const { return m_editGenre; }
    QVoTextEdit *commentsEdit() const { return m_editComments; }
    QLabel *cover() const { return m_labCover; }
    QVoBaseButton *addImageButton() const { return m_btnTagImg; }
    QVoBaseButton *deleteImageButton() const { return m_btnDelete; }

public slots:
    void onTextChanged(QString str);
    void genreTextChanged(QString str);
    void onCommentsTextChanged();
    void setTagImage();
    void onDeleteImage();

private:
    void loadTags();
    void showCover(const std::string &bytes);
    void store(VEAudioTagInfo tags);

    QVoLineEdit *m_editTitle = nullptr;
    QVoLineEdit *m_editArtist = nullptr;
    QVoLineEdit *m_editComposer = nullptr;
    QVoLineEdit *m_editAlbum = nullptr;
    QVoComboBox *m_editGenre = nullptr;
    QVoLineEdit *m_editTrack1 = nullptr;
    QVoLineEdit *m_editTrack2 = nullptr;
    QVoLineEdit *m_editYear = nullptr;
    QVoLineEdit *m_editGrouping = nullptr;
    QVoTextEdit *m_editComments = nullptr;
    QVoLineEdit *m_editDisc1 = nullptr;
    QVoLineEdit *m_editDisc2 = nullptr;
    QVoLineEdit *m_editCopyright = nullptr;
    QLabel *m_labCover = nullptr;
    QVoBaseButton *m_btnTagImg = nullptr;
    QVoBaseButton *m_btnDelete = nullptr;
    FileChooser m_chooseFile;
    bool m_loading = false;
};
