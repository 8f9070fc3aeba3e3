// Dragging a list box onto another control through the front-end, on the
// reorder dialog of the setting names.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

#include "frontend/qt/FormRenderer.h"
#include "frontend/qt/QtTesting.h"
#include "frontend/qt/QtText.h"
#include "frontend/qt/QtUiServices.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "ui/DualListDlg.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

// The left button moves over `from` to the global position `to` and is
// released there (Qt delivers both to the widget that was pressed).
void DragFromTo(QWidget* from, QPoint start, QPoint to) {
  QTest::mousePress(from, Qt::LeftButton, {}, start);
  for (QPoint at : {start + QPoint(2, 2), from->mapFromGlobal(to)}) {
    QMouseEvent move(QEvent::MouseMove, at, from->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(from, &move);
  }
  QPoint local = from->mapFromGlobal(to);
  QMouseEvent release(QEvent::MouseButtonRelease, local, to, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(from, &release);
}

TEST(FormRendererDragTest, TheReorderDialogMovesEntriesByButtonDoubleClickAndDrag) {
  QApplication& qt = TestApplication();
  (void)qt;
  testing::TempMachine machine;
  QtUiServices ui{machine.files()};
  Application app{ui};
  app.CreateForm<Form>();
  auto& dlg = app.CreateForm<ui::TDualListDlg>();
  dlg.Prepare({"c", "a", "b"});
  dlg.Show();
  FormRenderer& r = ui.Render(dlg);
  EXPECT_EQ(r.Window()->windowTitle(), ToQt("設定名の表示順を並び替える"));
  auto* src = qobject_cast<QListWidget*>(r.FindWidget("SrcList"));
  auto* dst = qobject_cast<QListWidget*>(r.FindWidget("DstList"));
  ASSERT_NE(src, nullptr);
  ASSERT_NE(dst, nullptr);
  EXPECT_EQ(src->selectionMode(), QAbstractItemView::MultiSelection);

  // The second entry dragged onto the right list.
  QPoint second = src->visualItemRect(src->item(1)).center();
  DragFromTo(src->viewport(), second, dst->viewport()->mapToGlobal(QPoint(20, 20)));
  ASSERT_EQ(dlg.DstList.ItemCount(), 1);
  EXPECT_EQ(dlg.DstList.Item(0), "a");
  EXPECT_EQ(dst->count(), 1);
  EXPECT_EQ(src->count(), 2);

  // A drag that ends on its own list moves nothing; a double click does.
  DragFromTo(src->viewport(), src->visualItemRect(src->item(0)).center(),
             src->viewport()->mapToGlobal(QPoint(30, 60)));
  EXPECT_EQ(dlg.SrcList.ItemCount(), 2);
  QTest::mouseDClick(src->viewport(), Qt::LeftButton, {},
                     src->visualItemRect(src->item(0)).center());
  EXPECT_EQ(dlg.DstList.Items(), (std::vector<std::string>{"a", "c"}));
  dlg.Hide();
}

}  // namespace
}  // namespace zuba::qt
