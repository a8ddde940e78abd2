#include "FormFixture.h"

#include "common/XmlPersistance/XmlLog.h"
#include "tests/support/WholeFile.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

namespace {

using FormLog = FormTest;

std::uintmax_t SizeOf(const std::string& file)
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(file, missing);
    return missing ? 0 : size;
}

// The close comes while "Save tree" processes messages, waits for the save and then closes
// the window: by then the save's last record, the text it wrote, is in the log file.
TEST_F(FormLog, AfterTheWindowClosedDuringASaveEveryRecordIsOnDisk)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    const std::string log = XmlLogger()->FileName();
    XmlLogger()->Flush();
    const std::uintmax_t before = SizeOf(log);
    QTimer::singleShot(0, &form, &QWidget::close);
    Child<QPushButton>(form, "Button5")->click();
    QCoreApplication::processEvents();
    ASSERT_FALSE(form.isVisible());
    const std::string saved = "Saved object to xml:\r\n" + TreeFileText() + "\r\n";
    EXPECT_NE(ReadFile(log).find(saved, before), std::string::npos);
}

}  // namespace
