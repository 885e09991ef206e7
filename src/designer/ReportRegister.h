#pragma once

#include "designer/MarkingRegister.h"

// A single selected control gets eight handles; several get marks.
class ReportMarkerManager : public MarkingMarkerManager
{
public:
    using MarkingMarkerManager::MarkingMarkerManager;

protected:
    std::unique_ptr<SelectionMarker> createMarker(QWidget *control) override;
};

// The register of the report window.
class ReportRegister : public MarkingRegister
{
    Q_OBJECT

public:
    using MarkingRegister::MarkingRegister;

protected:
    std::unique_ptr<MarkerManager> createMarkerManager() override;
};
