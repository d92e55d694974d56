#pragma once
// The CAD bridge: twenty plain C functions over an in-process CAD session that holds open
// drawings as DXF documents. Results are -1 (true) / 0 (false) or counts; strings are 8-bit GBK
// (code page 936); points are CadPoint arrays owned by the caller.
#include <cstdint>

#if defined(_WIN32)
#define CADBRIDGE_API extern "C" __declspec(dllexport)
#else
#define CADBRIDGE_API extern "C" __attribute__((visibility("default")))
#endif

struct CadPoint {
    double x;
    double y;
};

// One call per scanned entity: pointCount 0 and points null for a skipped one. A non-zero
// return means the entity was taken. Setting *keepGoing to 0 ends the scan after this entity.
typedef int (*ExtractPipeCallback)(int pointCount, CadPoint* points, int percent, void* userData, int* keepGoing);

typedef void* CadHandle;

CADBRIDGE_API int32_t CadDrawTank(CadHandle h, const CadPoint* at, double size, const char* layer);
CADBRIDGE_API int32_t CadDrawValve(CadHandle h, const CadPoint* from, const CadPoint* to, double size,
                                   const char* layer);
CADBRIDGE_API int32_t CadDrawPump(CadHandle h, const CadPoint* from, const CadPoint* to, double size,
                                  const char* layer);
CADBRIDGE_API int32_t CadDrawPipeArrow(CadHandle h, const CadPoint* at, double angle, double size, const char* layer);
CADBRIDGE_API int32_t CadDrawPipeLabel(CadHandle h, const CadPoint* at, double angle, double textHeight,
                                       double arrowSize, const char* layer, const char* above, const char* below,
                                       int32_t useBelow);
CADBRIDGE_API int32_t CadDrawNodeLabel(CadHandle h, const CadPoint* at, double nodeSize, double textHeight,
                                       const char* layer, const char* const* lines, int32_t lineCount, double angle,
                                       int32_t framed);
CADBRIDGE_API int32_t CadDrawCurve(CadHandle h, const CadPoint* points, int32_t count, const char* layer,
                                   int32_t polylineType, int32_t closed);
CADBRIDGE_API int32_t CadDrawPipe(CadHandle h, const CadPoint* points, int32_t count, const char* layer);
CADBRIDGE_API int32_t CadDrawNode(CadHandle h, const CadPoint* at, double size, const char* layer);
CADBRIDGE_API int32_t CadCreateLayers(CadHandle h, const char* const* names, int32_t count);
CADBRIDGE_API int32_t CadCreateLayer(CadHandle h, const char* name);
CADBRIDGE_API int32_t CadNewDwg(CadHandle h);
CADBRIDGE_API int32_t CadSetVisible(CadHandle h, int32_t visible);
CADBRIDGE_API int32_t IsExistActiveDwg();
CADBRIDGE_API int32_t OpenDwgDocument(CadHandle h, const char* path);
CADBRIDGE_API int32_t ExtractPipeFromAutoCad(CadHandle h, int32_t layerCount, const char* const* layers, uint8_t flags,
                                             ExtractPipeCallback callback, void* userData);
CADBRIDGE_API int32_t CloseAutoCad(CadHandle h);
CADBRIDGE_API CadHandle OpenAutoCad();
CADBRIDGE_API int32_t DetectAutoCad();
CADBRIDGE_API int32_t IsAutoCadRunning();

// Additions for a session without a CAD program of its own.
// Gives the active drawing the file it is written to (UTF-8 path); a new drawing needs one.
CADBRIDGE_API int32_t CadSetDwgPath(CadHandle h, const char* path);
// Whether CadSetVisible(h, 1) opens the written drawing in the desktop's program for DXF files.
CADBRIDGE_API void CadSetOpenInViewer(int32_t open);
// What the last failing call of this session found wrong (UTF-8), or "".
CADBRIDGE_API const char* CadLastError();
// What the last ExtractPipeFromAutoCad left out (kinds and layers skipped, layer names that match
// nothing, a drawing recognised as QEN's own), one UTF-8 line each, or "".
CADBRIDGE_API const char* CadScanReport();
// Inside an extraction callback: the drawn length (CAD units; arcs and bulges measured on the
// arc) of the points passed and the file line of their entity (0: unknown). 0 outside a scan.
CADBRIDGE_API int32_t CadScanEntityInfo(double* length, int32_t* line);
// The layer names of the active drawing as it has them (UTF-8), one a line, or "".
CADBRIDGE_API const char* CadDrawingLayers();
// Ends the session and forgets every drawing (tests and the command-line tool start afresh).
CADBRIDGE_API void CadCloseSession();
// The active drawing's units as CAD units per metre, written as $INSUNITS (1000: millimetres) to a
// new drawing or one that names no units; a drawing with units of its own keeps them.
CADBRIDGE_API int32_t CadSetDwgUnits(CadHandle h, double unitsPerMetre);
// The colour (AutoCAD colour index 1-255) of a layer this session added to the active drawing.
CADBRIDGE_API int32_t CadSetLayerColor(CadHandle h, const char* layer, int32_t colour);
// -1 when the active drawing's file changed on disk since the session read or wrote it: the next
// CadSetVisible(h, 1) refuses to overwrite it unless CadSetOverwriteChanged(h, 1) came first.
CADBRIDGE_API int32_t CadDwgChangedOnDisk(CadHandle h);
CADBRIDGE_API int32_t CadSetOverwriteChanged(CadHandle h, int32_t allow);
