#pragma once

#include "CoverageModel.h"
#include "FolderDialog.h"
#include "MessageBoxes.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// The view of screens: what the install would do with every layout, the
// counts above the list, a filter, the two pictures of the selected row side
// by side, and "Save list..." to a CSV file. The pictures are decoded when a
// row is selected, scaled to their pane, one row at a time.
class CoverageDialog final : public QDialog {
    Q_OBJECT
  public:
    CoverageDialog(QWidget* owner, MessageBoxes& boxes, FolderDialog& dialogs);

    void SetRows(std::vector<CoverageRow> rows);
    // Captions, counts and cells in `language` (0 English, other French).
    void SetLanguage(int32_t language);

    const CoverageModel& Model() const { return model_; }

  private:
    void SelectFirstRow();
    void ShowSelected();
    void ShowPicture(QLabel& pane, const std::string& path, bool exists);
    void SaveList();
    void RefreshCounts();

    CoverageTexts texts_;
    CoverageModel model_;
    MessageBoxes& boxes_;
    FolderDialog& dialogs_;
    QLabel* counts_;
    QCheckBox* filter_;
    QTableView* table_;
    QLabel* screenCaption_;
    QLabel* loadingCaption_;
    QLabel* screenPicture_;
    QLabel* loadingPicture_;
    QPushButton* save_;
};
