#include "widgets/GridCellDelegate.h"

#include "widgets/Application.h"
#include "widgets/DataSource.h"

#include <QLineEdit>

namespace sorvane {

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    if (const auto *source = qobject_cast<const DataSource *>(index.model())) {
        const ClientDataSet *dataSet = source->dataSet();
        if (dataSet && dataSet->active()) {
            const FieldDef &field = dataSet->fieldDef(index.column());
            if (field.type == FieldType::String && field.width > 0)
                editor->setMaxLength(field.width);
        }
    }
    connect(editor, &QLineEdit::textEdited, this, &GridCellDelegate::textEdited);
    return editor;
}

void GridCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || line->isModified())
        return;
    line->setText(index.data(Qt::DisplayRole).toString());
    line->selectAll();
}

void GridCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || !line->isModified())
        return;
    Application::run([&] { model->setData(index, line->text(), Qt::EditRole); });
}

} // namespace sorvane
