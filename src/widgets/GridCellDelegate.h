#pragma once

#include <QStyledItemDelegate>

namespace sorvane {

/// The cell editor of a data grid: a line edit over the field's text form, limited to the
/// field's width. It tells when the user first changes the text, so that the record goes
/// into editing while the user types, and writes the text back through the model with
/// failures shown in the general error box.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    /// Leaves an editor alone once the user has changed its text: a record that goes into
    /// editing repaints, and must not overwrite what is being typed.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

signals:
    /// The user changed the text of an open editor.
    void textEdited();
};

} // namespace sorvane
