#include "QtMenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include "platform/afx/CMenu.h"
#include "platform/afx/CWnd.h"

namespace {

void Select(CWnd* owner, UINT id, UINT flags) {
  if (owner != nullptr && IsWindow(owner->m_hWnd))
    owner->SendMessage(WM_MENUSELECT, MAKEWPARAM(id, flags), 1);
}

}  // namespace

QString QtMenuBuilder::Text(const std::string& text) {
  // "&" marks the mnemonic in both worlds.
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

unsigned QtMenuBuilder::CommandOf(const QAction* action) {
  return action != nullptr ? action->data().toUInt() : 0u;
}

void QtMenuBuilder::Fill(QMenu* qmenu, CMenu& menu, CWnd* owner) {
  for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
    const int pos = static_cast<int>(i);
    const UINT state = menu.GetMenuState(i, MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      qmenu->addSeparator();
      continue;
    }
    if (CMenu* sub = menu.GetSubMenu(pos)) {
      QMenu* qsub = qmenu->addMenu(Text(menu.GetMenuString(pos)));
      Fill(qsub, *sub, owner);
      QObject::connect(qsub->menuAction(), &QAction::hovered,
                       [owner] { Select(owner, 0, MF_POPUP); });
      continue;
    }
    const UINT id = menu.GetMenuItemID(pos);
    QAction* action = qmenu->addAction(Text(menu.GetMenuString(pos)));
    action->setData(id);
    QObject::connect(action, &QAction::hovered, [owner, id] { Select(owner, id, 0); });
  }
  QObject::connect(qmenu, &QMenu::aboutToHide, [owner] {
    if (owner != nullptr && IsWindow(owner->m_hWnd))
      owner->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  });
  SyncStates(qmenu, menu);
}

void QtMenuBuilder::SyncStates(QMenu* qmenu, CMenu& menu) {
  const QList<QAction*> actions = qmenu->actions();
  for (UINT i = 0; i < menu.GetMenuItemCount() && static_cast<int>(i) < actions.size(); ++i) {
    QAction* action = actions[static_cast<int>(i)];
    const UINT state = menu.GetMenuState(i, MF_BYPOSITION);
    if ((state & (MF_SEPARATOR | MF_POPUP)) != 0) continue;
    action->setEnabled((state & (MF_GRAYED | MF_DISABLED)) == 0);
    // Only checked items show the indicator column entry, as plain commands have none.
    const bool checked = (state & MF_CHECKED) != 0;
    action->setCheckable(checked);
    action->setChecked(checked);
  }
}
