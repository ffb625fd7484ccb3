#pragma once

#include "app/WorkWindowBase.h"

namespace qm {

// The investment manager "Investment manager". It opens as the work window (ActiveWindow 2);
// its "E&xit to menu" button and its close box both close it through mayClose(), where the
// question about an unsaved database belongs.
class QMManagement : public WorkWindowBase {
    Q_OBJECT
public:
    explicit QMManagement(QWidget* parent = nullptr);

protected:
    // Asked before the manager closes (exit button or close box); false keeps it open.
    bool mayClose() override;
};

} // namespace qm
