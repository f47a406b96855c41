#pragma once

#include "CoverageModel.h"
#include "FolderDialog.h"
#include "MessageBoxes.h"
#include "services/LatestJobWorker.h"

#include <QDialog>
#include <QImage>
#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// The view of screens: what the install would do with every layout, the
// counts above the list, a filter, the two pictures of the selected row side
// by side, and "Save list..." to a CSV file. The pictures of the selected
// row are decoded on a thread of their own, scaled to their pane; the panes
// say "loading" meanwhile, and only the latest selection's pictures show.
class CoverageDialog final : public QDialog {
    Q_OBJECT
  public:
    CoverageDialog(QWidget* owner, MessageBoxes& boxes, FolderDialog& dialogs);
    ~CoverageDialog() override;

    void SetRows(std::vector<CoverageRow> rows);
    // Captions, counts and cells in `language` (0 English, other French).
    void SetLanguage(int32_t language);

    const CoverageModel& Model() const { return model_; }

  private:
    // What a pane shows: a picture, or one of the texts kCovNone,
    // kCovDecoding, kCovCannotShow.
    struct PaneContent {
        QImage picture;
        TextId text = kCovNone;
    };
    using RowPictures = std::array<PaneContent, 2>;

    static PaneContent DecodedPicture(const std::string& path, QSize box);
    void SelectFirstRow();
    void ShowSelected();
    void ShowPictures(uint64_t ticket, const RowPictures& pictures);
    void ShowPanes();
    void SaveList();
    void RefreshCounts();

    Texts texts_;
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
    RowPictures shown_;
    std::unique_ptr<LatestJobWorker> decoder_;
};
