#include "designer/ReportRegister.h"

#include "designer/EightHandleFrame.h"

std::unique_ptr<SelectionMarker> ReportMarkerManager::createMarker(QWidget *control)
{
    auto set = std::make_unique<EightHandleFrame>(control, settings());
    set->createHandles();
    return set;
}

std::unique_ptr<MarkerManager> ReportRegister::createMarkerManager()
{
    return std::make_unique<ReportMarkerManager>();
}
