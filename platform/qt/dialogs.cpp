// The model's dialogs as real ones: a message box with one OK button, a
// question with "Ja" and "Nein", and the file dialog. Each runs a nested event
// loop, in which the timer keeps ticking and results of the module thread are
// shown.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/qtview.h"

namespace qtui {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "*.zan" gives "zan"; a pattern without a plain extension gives nothing.
QString Extension(const QString& pattern) {
    if (!pattern.startsWith(QLatin1String("*."))) return {};
    const QString suffix = pattern.mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString()
                                                                                  : suffix;
}

}  // namespace

void QtView::message(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, FromUtf8(title), FromUtf8(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtView::confirm(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, FromUtf8(title), FromUtf8(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // J and N answer too, as the underlined letters say.
    const QPushButton* ja =
        box.addButton(QCoreApplication::translate("QtView", "&Ja"), QMessageBox::YesRole);
    QPushButton* nein =
        box.addButton(QCoreApplication::translate("QtView", "&Nein"), QMessageBox::NoRole);
    // Return and Escape both keep what is there.
    box.setDefaultButton(nein);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
}

int QtView::selectFile(const userint::FileSelectRequest& request, std::string* path) {
    const QString directory =
        request.directory.empty() ? QDir::currentPath() : FromUtf8(request.directory);
    QFileDialog dialog(QApplication::activeWindow(), FromUtf8(request.title), directory);
    const bool save = request.buttonKind == VAL_SAVE_BUTTON;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString pattern = FromUtf8(request.pattern);
    QStringList filters;
    if (!pattern.isEmpty()) filters << pattern;
    for (const QString& extra :
         FromUtf8(request.fileTypeList).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        filters << extra.trimmed();
    }
    if (!request.restrictExtension) filters << QStringLiteral("*");
    dialog.setNameFilters(filters);
    if (request.restrictExtension) dialog.setDefaultSuffix(Extension(pattern));
    if (!request.allowMakeDirectory) dialog.setOption(QFileDialog::ReadOnly);
    if (request.restrictDirectory) {
        QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog,
                         [&dialog, directory](const QString& entered) {
                             if (QDir(entered) != QDir(directory)) dialog.setDirectory(directory);
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return VAL_NO_FILE_SELECTED;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    *path = chosen.toStdString();
    return QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
}

}  // namespace qtui
