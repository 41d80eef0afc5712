#include "qt/edit_bindings.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <functional>
#include <string>

#include "qt/frm_main.h"
#include "qt/qt_text.h"
#include "tables/view_options.h"

namespace qtui {

namespace {

constexpr const char* kUndoCaption = "&Undo";
constexpr const char* kRedoCaption = "&Redo";
constexpr double kOneUnit = 1;
constexpr double kFiveUnits = 5;

QAction* MenuItem(frmMain& window, std::string_view name) {
  return window.findChild<QAction*>(ToQString(name));
}

QAction* PopUpItem(frmMain& window, std::string_view name) {
  return window.popUpEdit3D()->findChild<QAction*>(ToQString(name));
}

// A command of the Edit menu and its twin in the grid's context menu: the Edit menu's
// item owns the keys, the context menu shows them.
void BindTwin(frmMain& window, std::string_view item, std::string_view popUpItem,
              const QList<QKeySequence>& keys, const std::function<void()>& body) {
  window.BindCommand(item, body);
  window.BindCommand(popUpItem, body);
  MenuItem(window, item)->setShortcuts(keys);
  QAction* twin = PopUpItem(window, popUpItem);
  twin->setShortcuts(keys);
  twin->setShortcutContext(Qt::WidgetShortcut);
}

// "&Undo Paste" while a step can be undone, "&Undo" and disabled otherwise.
void ShowHistory(frmMain& window) {
  const tables::EditHistory& history = window.session().editor.History();
  const auto show = [&](std::string_view item, std::string_view popUpItem, const char* caption,
                        bool possible, std::string_view step) {
    std::string text = caption;
    if (possible) text += " " + std::string(step);
    for (QAction* action : {MenuItem(window, item), PopUpItem(window, popUpItem)}) {
      action->setEnabled(possible);
      action->setText(action == MenuItem(window, item) ? ToQString(text)
                                                       : ToQString(text).remove(QLatin1Char('&')));
    }
  };
  show(app::menu::kUndo, app::menu::kPopUpUndo3D, kUndoCaption, history.CanUndo(),
       history.UndoName());
  show(app::menu::kRedo, app::menu::kPopUpRedo3D, kRedoCaption, history.CanRedo(),
       history.RedoName());
}

void BindHistory(frmMain& window) {
  tables::TableEditor& editor = window.session().editor;
  BindTwin(window, app::menu::kUndo, app::menu::kPopUpUndo3D, {QKeySequence::Undo},
           [&editor] { editor.mnuUndo_Click(); });
  BindTwin(window, app::menu::kRedo, app::menu::kPopUpRedo3D,
           {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
           [&editor] { editor.mnuRedo_Click(); });
  editor.SetHistoryListener([&window] { ShowHistory(window); });
  // A transfer holds the Edit menu and gives back what it held when it ends, though the
  // data it brought have started the history afresh meanwhile.
  for (std::string_view name : {app::menu::kUndo, app::menu::kRedo}) {
    QObject::connect(MenuItem(window, name), &QAction::enabledChanged, &window,
                     [&window](bool enabled) {
                       if (enabled) ShowHistory(window);
                     });
  }
  ShowHistory(window);
}

void BindValueCommands(frmMain& window) {
  tables::TableEditor& editor = window.session().editor;
  BindTwin(window, app::menu::kInterpolate, app::menu::kPopUpInterpolate3D,
           {QKeySequence(Qt::CTRL | Qt::Key_I)}, [&editor] { editor.mnuInterpolate_Click(); });
  BindTwin(window, app::menu::kSmooth, app::menu::kPopUpSmooth3D,
           {QKeySequence(Qt::CTRL | Qt::Key_M)}, [&editor] { editor.mnuSmooth_Click(); });
  BindTwin(window, app::menu::kSetValue, app::menu::kPopUpSetValue3D,
           {QKeySequence(Qt::CTRL | Qt::Key_E)}, [&editor] { editor.mnuSetValue_Click(); });
  // Arrow keys with Ctrl never start an entry, so a leading "-" still types a negative
  // value.
  const struct {
    std::string_view item;
    std::string_view popUpItem;
    QKeySequence keys;
    double units;
  } steps[] = {
      {app::menu::kStepUp, app::menu::kPopUpStepUp3D, QKeySequence(Qt::CTRL | Qt::Key_Up),
       kOneUnit},
      {app::menu::kStepDown, app::menu::kPopUpStepDown3D, QKeySequence(Qt::CTRL | Qt::Key_Down),
       -kOneUnit},
      {app::menu::kStepUpFive, app::menu::kPopUpStepUpFive3D,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), kFiveUnits},
      {app::menu::kStepDownFive, app::menu::kPopUpStepDownFive3D,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), -kFiveUnits},
  };
  for (const auto& step : steps) {
    const double units = step.units;
    BindTwin(window, step.item, step.popUpItem, {step.keys},
             [&editor, units] { editor.StepValues(units); });
  }
}

void BindViewMenu(frmMain& window) {
  tables::TableEditor& editor = window.session().editor;
  core::SettingsStore* settings = window.session().settings;
  if (settings) tables::LoadViewOptions(editor, *settings);
  const auto bind = [&](std::string_view name, bool on, const std::function<void(bool)>& set) {
    QAction* item = MenuItem(window, name);
    item->setCheckable(true);
    item->setChecked(on);
    window.BindCommand(name, [&editor, settings, item, set] {
      set(item->isChecked());
      if (settings) tables::SaveViewOptions(editor, *settings);
    });
  };
  bind(app::menu::kHeatMap, editor.HeatMap(), [&editor](bool on) { editor.SetHeatMap(on); });
  bind(app::menu::kShowChanges, editor.ShowChanges(),
       [&editor](bool on) { editor.SetShowChanges(on); });
}

}  // namespace

void BindEditCommands(frmMain& window) {
  BindHistory(window);
  BindValueCommands(window);
  BindViewMenu(window);
}

}  // namespace qtui
