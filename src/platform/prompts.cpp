#include "platform/prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

void QtPrompts::error(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompts::question(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

static QString startPath(const QString &folder, const QString &fileName)
{
    if (fileName.isEmpty())
        return folder;
    if (QFileInfo(fileName).isAbsolute())
        return fileName;
    return folder + QLatin1Char('/') + fileName;
}

QString QtPrompts::openFile(const QString &caption, const QString &folder, const QString &fileName,
                            const QString &filter)
{
    QFileDialog dialog(m_parent, caption, startPath(folder, fileName), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!fileName.isEmpty())
        dialog.selectFile(startPath(folder, fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString QtPrompts::saveFile(const QString &caption, const QString &folder, const QString &fileName,
                            const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(m_parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!fileName.isEmpty())
        dialog.selectFile(startPath(folder, fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtPrompts::chooseColor(const QColor &initial, const QString &caption)
{
    const QColor c = QColorDialog::getColor(initial, m_parent, caption);
    if (!c.isValid())
        return std::nullopt;
    return c;
}
