#pragma once
// Answers a file dialog as a user does: the path typed into its file-name
// field, then Open. (Selecting the file from code only fills the field
// while the field has no focus, and a dialog that has already given it the
// focus would then open the folder instead of the file.)
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaObject>

namespace testsupport {

inline void chooseInFileDialog(QFileDialog *dialog, const QString &path, Qt::ConnectionType how = Qt::AutoConnection)
{
    if (auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        field->setText(path);
    else
        dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept", how);
}

} // namespace testsupport
