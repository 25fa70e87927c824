// The driving window's "Display" and "Save" menus.
#include <QMenu>
#include <QMenuBar>

#include "app/drive_form.h"
#include "app/help_form.h"

namespace cab::app {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// "かんたん運転台" stands in the menu but stays disabled: there is no easy cab window yet.
void TForm1::buildDisplayMenu() {
  QMenu* show1 = menuBar()->addMenu(text(drive_->strings.menu.display));
  show1->setObjectName("Show1");
  for (const DisplayMenuEntry& entry : DisplayMenuEntries) {
    QAction* action = show1->addAction(QString::fromUtf8(entry.caption));
    action->setObjectName(entry.name);
    action->setVisible(entry.visible);
    if (entry.toggles) {
      const DisplayItem item = *entry.toggles;
      action->setCheckable(true);
      displayChecks_[static_cast<std::size_t>(item)] = action;
      connect(action, &QAction::triggered, this, [this, item] { dispatch(drive_event::DisplayMenu{item}); });
    } else if (std::string_view(entry.name) == "menu_d1") {
      connect(action, &QAction::triggered, this, [this] {
        if (!help_) return;
        help_->show();
        help_->raise();
      });
    } else {
      action->setEnabled(false);
    }
  }
  showDisplayChecks();
}

void TForm1::showDisplayChecks() {
  for (std::size_t i = 0; i < displayChecks_.size(); ++i)
    if (displayChecks_[i]) displayChecks_[i]->setChecked(drive_->displayChecks[static_cast<DisplayItem>(i)]);
}

void TForm1::buildSaveMenu() {
  QMenu* saveS1 = menuBar()->addMenu(text(drive_->strings.menu.save));
  saveS1->setObjectName("SaveS1");
  QMenu* l1 = saveS1->addMenu(QStringLiteral("運転状態を復元(&L)"));
  l1->setObjectName("L1");
  QMenu* s2 = saveS1->addMenu(QStringLiteral("運転状態を保存(&S)"));
  s2->setObjectName("S2");
  for (int k = 1; k <= SaveSlotCount; ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    loadItems_[i] = l1->addAction(QString());
    loadItems_[i]->setObjectName(QStringLiteral("Load%1").arg(k));
    connect(loadItems_[i], &QAction::triggered, this, [this, k] { dispatch(drive_event::LoadState{k}); });
    saveItems_[i] = s2->addAction(QString());
    saveItems_[i]->setObjectName(QStringLiteral("Save%1").arg(k));
    connect(saveItems_[i], &QAction::triggered, this, [this, k] { dispatch(drive_event::SaveState{k}); });
  }
  connect(saveS1, &QMenu::aboutToShow, this, [this] { showSaveCaptions(); });
  showSaveCaptions();
}

void TForm1::showSaveCaptions() {
  const SaveMenu menu = drive_->Saveloadclick();
  for (std::size_t i = 0; i < menu.load.size(); ++i) {
    loadItems_[i]->setText(text(menu.load[i].caption));
    loadItems_[i]->setEnabled(menu.load[i].enabled);
    saveItems_[i]->setText(text(menu.save[i].caption));
    saveItems_[i]->setEnabled(menu.save[i].enabled);
  }
}

}  // namespace cab::app
