#pragma once

#include "CoverageModel.h"
#include "FolderDialog.h"
#include "MessageBoxes.h"
#include "operations/CoverageJudge.h"
#include "services/LatestJobWorker.h"
#include "shell/CoverageViewPort.h"

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// The view of screens: what the install would do with every layout, the
// line above the list, a filter, the buttons that decide on the selected
// row's screen, the two pictures of the selected row side by side, and
// "Save list..." to a CSV file. The pictures of the selected row are decoded
// on a thread of their own, scaled to their pane; the panes say "loading"
// meanwhile, and only the latest selection's pictures show. The "Picture"
// cells fill in as the judge delivers its verdicts.
class CoverageDialog final : public QDialog, public CoverageViewPort {
    Q_OBJECT
  public:
    CoverageDialog(QWidget* owner, MessageBoxes& boxes, FolderDialog& dialogs, CoverageHost host);
    ~CoverageDialog() override;

    void SetListing(CoverageListing listing) override;
    void MarkOutOfDate() override;
    bool Showing() const override { return isVisible(); }
    // Captions, counts and cells in `language` (0 English, other French).
    void SetLanguage(int32_t language);
    // Sized to its columns within the work area of the owner's screen, over the owner.
    void PlaceOnScreen();

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
    void BuildLayout();
    void ConnectHandlers();
    void MeasureColumns();
    void FitColumns();
    int ListRoom() const;
    int ColumnFloor() const;
    void WidenForProposals(const CoverageFindings& findings);
    void Select(int index);
    void ShowSelected();
    void EnableDecisions();
    void ShowPictures(uint64_t ticket, const RowPictures& pictures);
    void ShowPanes();
    void TakeFindings(uint64_t generation, const CoverageFindings& findings);
    std::array<std::string, 2> SelectedPictures() const;
    void SaveList();
    void RefreshCounts();
    void Decide(const std::function<void(ScreenLinks&, const CoverageRow&)>& change);
    void PickScreen();

    Texts texts_;
    CoverageModel model_;
    MessageBoxes& boxes_;
    FolderDialog& dialogs_;
    CoverageHost host_;
    QLabel* counts_;
    QCheckBox* filter_;
    QLabel* outOfDate_;
    QPushButton* refresh_;
    QTableView* table_;
    QPushButton* accept_;
    QPushButton* acceptRule_;
    QPushButton* pick_;
    QPushButton* noScreen_;
    QPushButton* forget_;
    QLabel* screenCaption_;
    QLabel* loadingCaption_;
    QLabel* screenPicture_;
    QLabel* loadingPicture_;
    QPushButton* save_;
    RowPictures shown_;
    int lastColumnWidth_ = 0; // what the last column's texts need
    std::unique_ptr<LatestJobWorker> decoder_;
    std::unique_ptr<CoverageJudge> judge_;
};
