#pragma once

class QWidget;

namespace sorvane {

/// The question the data-aware controls ask before they delete the current record:
/// "Delete record?" under the caption "Confirm", with the buttons "OK" and "Cancel".
class DeleteConfirmation {
public:
    /// Shows the question modally; true when the user chose "OK".
    static bool ask(QWidget *parent);
};

} // namespace sorvane
