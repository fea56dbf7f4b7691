#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/metafile_import.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

namespace velora {

void ImportMetafile(CDrawingModel& model, const QString& path) {
    model.Clear();
    model.Shapes().clear();
    AddMetafileShapes(model, ReadMetafileRecordsFromFile(path));
    ChainShapes(model);
    ConvertObjectsToCurves(model);
    SizeDrawing(model);
}

}  // namespace velora
