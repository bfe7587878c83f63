/*
 * Veduvedad.er: the binary interface between an event viewer and the event-UI plug-in.
 *
 * A viewer loads the plug-in (Veduvedad.er.dll on Windows, libveduvedader.so.1 elsewhere), looks
 * up UI_EnumEVENTUI, and walks the returned IEnumEVENTUI for one EVENTUI record per event type.
 * To show an event, it picks the record whose guidType is the event's type and calls that
 * record's pfnXml or pfnText with the payload and a UTF-16 buffer of its own. A program may also
 * link the library and call UI_EnumEVENTUI directly.
 *
 * On Windows the plug-in is an in-process server and must match the viewer's bitness: a 32-bit
 * viewer loads the 32-bit DLL, a 64-bit viewer the 64-bit one.
 *
 * Calling convention: every function and every interface method of this interface is
 * EVENTUI_CALL, which is __stdcall on 32-bit x86 Windows (the convention of COM methods and of
 * STDAPI functions) and the platform's only C convention everywhere else. A viewer that calls
 * through the typedefs below cannot get it wrong.
 *
 * Ownership: everything the plug-in hands out (records, names, entry functions) is constant data
 * of the plug-in, valid while it stays loaded; the viewer frees none of it. Payloads and buffers
 * belong to the viewer. The enumerator and the error information are COM objects the viewer
 * releases, and the texts of the error information BSTRs it frees with SysFreeString.
 *
 * This header compiles as C (C99 and later) and as C++. On Windows it takes the COM base types
 * from the system's headers; elsewhere it defines those the interface needs, with the Windows
 * layout.
 */
#ifndef VEDUVEDADER_EVENTUI_H
#define VEDUVEDADER_EVENTUI_H

#include <stdint.h>

#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#define EVENTUI_CALL __stdcall
#else
#define EVENTUI_CALL
#endif

#ifdef _WIN32
#include <objbase.h> /* GUID, IID, REFIID, HRESULT, ULONG, IUnknown */
#include <oleauto.h> /* BSTR, IErrorInfo, GetErrorInfo, SysFreeString (oleaut32) */
#else

/* --- COM base types for systems without a COM runtime, laid out as on Windows --------------- */

typedef int32_t HRESULT; /* a result: 0 (S_OK) and other non-negative values succeed */
typedef uint32_t ULONG;  /* a count */
typedef uint32_t DWORD;  /* a 32-bit value */

/* A 128-bit identifier of an event type or an interface, as written {Data1-Data2-Data3-Data4}. */
typedef struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
} GUID;
typedef GUID IID; /* an interface's identifier */
/* An interface identifier passed by reference: a reference in C++, a pointer in C. */
#ifdef __cplusplus
typedef const IID& REFIID;
#else
typedef const IID* REFIID;
#endif

#endif /* _WIN32 */

/* One UTF-16 code unit of a name or of a viewer's buffer. */
#ifdef __cplusplus
typedef char16_t EVENTUI_CHAR;
#else
typedef uint16_t EVENTUI_CHAR;
#endif

#ifndef _WIN32

/* A text allocated by the runtime; the receiver frees it with the runtime's SysFreeString. */
typedef EVENTUI_CHAR* BSTR;

/*
 * IUnknown: reference counting and interface queries. QueryInterface stores an interface pointer
 * with a reference added (null and E_NOINTERFACE for an unknown interface); AddRef and Release
 * return the new count, and the object is gone once Release returns 0.
 */
#ifdef __cplusplus
struct IUnknown {
  virtual HRESULT EVENTUI_CALL QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG EVENTUI_CALL AddRef() = 0;
  virtual ULONG EVENTUI_CALL Release() = 0;

 protected:
  ~IUnknown() = default;
};
#else
typedef struct IUnknown IUnknown;
typedef struct IUnknownVtbl {
  HRESULT(EVENTUI_CALL* QueryInterface)(IUnknown* This, REFIID riid, void** ppvObject);
  ULONG(EVENTUI_CALL* AddRef)(IUnknown* This);
  ULONG(EVENTUI_CALL* Release)(IUnknown* This);
} IUnknownVtbl;
struct IUnknown {
  const IUnknownVtbl* lpVtbl;
};
#endif

/*
 * IErrorInfo: the description of the calling thread's last failed entry. An entry that fails
 * with DISP_E_EXCEPTION (0x80020009) leaves one on its thread; GetErrorInfo takes it away from
 * the thread. The text getters store a new BSTR (or null) that the caller frees with
 * SysFreeString. The plug-in sets the description only: the source and help file are null, the
 * GUID all zeros and the help context 0. Null out-pointers give E_INVALIDARG.
 */
#ifdef __cplusplus
struct IErrorInfo : IUnknown {
  virtual HRESULT EVENTUI_CALL GetGUID(GUID* pGUID) = 0;
  virtual HRESULT EVENTUI_CALL GetSource(BSTR* pBstrSource) = 0;
  virtual HRESULT EVENTUI_CALL GetDescription(BSTR* pBstrDescription) = 0;
  virtual HRESULT EVENTUI_CALL GetHelpFile(BSTR* pBstrHelpFile) = 0;
  virtual HRESULT EVENTUI_CALL GetHelpContext(DWORD* pdwHelpContext) = 0;

 protected:
  ~IErrorInfo() = default;
};
#else
typedef struct IErrorInfo IErrorInfo;
typedef struct IErrorInfoVtbl {
  HRESULT(EVENTUI_CALL* QueryInterface)(IErrorInfo* This, REFIID riid, void** ppvObject);
  ULONG(EVENTUI_CALL* AddRef)(IErrorInfo* This);
  ULONG(EVENTUI_CALL* Release)(IErrorInfo* This);
  HRESULT(EVENTUI_CALL* GetGUID)(IErrorInfo* This, GUID* pGUID);
  HRESULT(EVENTUI_CALL* GetSource)(IErrorInfo* This, BSTR* pBstrSource);
  HRESULT(EVENTUI_CALL* GetDescription)(IErrorInfo* This, BSTR* pBstrDescription);
  HRESULT(EVENTUI_CALL* GetHelpFile)(IErrorInfo* This, BSTR* pBstrHelpFile);
  HRESULT(EVENTUI_CALL* GetHelpContext)(IErrorInfo* This, DWORD* pdwHelpContext);
} IErrorInfoVtbl;
struct IErrorInfo {
  const IErrorInfoVtbl* lpVtbl;
};
#endif

#endif /* !_WIN32 */

/*
 * The functions of the runtime that keeps the error information. On Windows they are the
 * system's, from oleaut32. Elsewhere the runtime is a library the plug-in depends on: look them
 * up on the plug-in's own handle (dlsym), which finds the instance the plug-in uses.
 *   GetErrorInfo: dwReserved 0; stores the thread's IErrorInfo (the caller releases it) and
 *     returns S_OK, or stores null and returns S_FALSE (1) when the thread has none.
 *   SysFreeString: frees a BSTR; null is accepted.
 */
typedef HRESULT(EVENTUI_CALL* PFN_GETERRORINFO)(ULONG dwReserved, IErrorInfo** ppErrorInfo);
typedef void(EVENTUI_CALL* PFN_SYSFREESTRING)(BSTR bstrString);

/* --- Entries ---------------------------------------------------------------------------------- */

/*
 * The XML entry of an event type: renders the payload as an indented XML fragment (no
 * declaration, no root element; one blank per nesting level, from three) into the viewer's
 * buffer. Text taken from the payload is escaped, so the fragment is well-formed inside the
 * viewer's own document.
 *   dwReserved  any value; ignored.
 *   cbPayload   payload length in bytes; pbPayload must be readable for that many bytes (it may
 *               be null when cbPayload is 0). The plug-in reads it during the call only.
 *   pszBuffer   the viewer's buffer, cchBuffer UTF-16 units long, terminator included. The
 *               plug-in writes nothing past cchBuffer units; once the arguments have passed the
 *               checks below, the buffer holds a NUL-terminated text when the entry returns, on
 *               failure the text written before it. Nothing is truncated silently.
 * Returns S_OK (0), or a failure: DISP_E_EXCEPTION (0x80020009) with the thread's error
 * information describing it ("an overflow occured" when the buffer is too small, "an underflow
 * occured" for a payload cut short), or an HRESULT of the runtime (E_OUTOFMEMORY, MK_E_SYNTAX
 * for an unreadable device name). Checked before anything is written: a null buffer or a null
 * payload of non-zero length gives E_POINTER, a cchBuffer of 0 E_INVALIDARG. Entries may be
 * called on any number of threads at once; error information belongs to the calling thread.
 */
typedef HRESULT(EVENTUI_CALL* PFN_EVENTUI_XML)(uint32_t dwReserved, uint32_t cbPayload,
                                                const uint8_t* pbPayload,
                                                EVENTUI_CHAR* pszBuffer, uint32_t cchBuffer);

/*
 * The text entry of an event type: one English sentence, no line break, and a display colour.
 * Arguments and results as PFN_EVENTUI_XML, and:
 *   pcrColour  receives the colour (EVENTUI_COLOUR_*) on S_OK only; on failure it is left as
 *              it was. Must not be null (E_POINTER).
 */
typedef HRESULT(EVENTUI_CALL* PFN_EVENTUI_TEXT)(uint32_t dwReserved, uint32_t cbPayload,
                                                 const uint8_t* pbPayload,
                                                 EVENTUI_CHAR* pszBuffer, uint32_t cchBuffer,
                                                 uint32_t* pcrColour);

/* Colours: Windows COLORREF values, laid out 0x00BBGGRR. */
#define EVENTUI_COLOUR_RED 0x000000FFu     /* failed switches; devices entering recovery */
#define EVENTUI_COLOUR_GREEN 0x0000FF00u   /* successful switches; devices leaving recovery */
#define EVENTUI_COLOUR_WHITE 0x00FFFFFFu   /* no-operation switches, failure lists, exclusions */
#define EVENTUI_COLOUR_CHANGED 0x00FFFF80u /* changed properties */

/* --- Records and their enumerator ------------------------------------------------------------- */

/*
 * One event type. 32 bytes in a 32-bit process (fields at 0, 16, 20, 24, 28), 48 bytes in a
 * 64-bit one; no padding in either.
 *   guidType   the event type, by value. Two records may share a type (and a name) with
 *              different entries; the enumerator yields them in the plug-in's order.
 *   pfnXml     the XML entry.
 *   pReserved  always null.
 *   pfnText    the text entry.
 *   pszName    the display name, NUL-terminated UTF-16 in the plug-in's constant data.
 */
typedef struct EVENTUI {
  GUID guidType;
  PFN_EVENTUI_XML pfnXml;
  void* pReserved;
  PFN_EVENTUI_TEXT pfnText;
  const EVENTUI_CHAR* pszName;
} EVENTUI;

/* {D3685424-6AC4-4F3F-8C8E-11007B462695} */
static const IID IID_IEnumEVENTUI = {
    0xD3685424, 0x6AC4, 0x4F3F, {0x8C, 0x8E, 0x11, 0x00, 0x7B, 0x46, 0x26, 0x95}};

/*
 * IEnumEVENTUI: an enumerator over the plug-in's records, answering to IID_IEnumEVENTUI and to
 * IUnknown. One object must be used by one thread at a time; any number may exist at once, and
 * while any exists the plug-in cannot be unloaded.
 *   Next   copies up to celt records into rgelt, which must have room for celt; stores the
 *          number copied at pceltFetched unless that is null. S_OK when celt records were
 *          copied, S_FALSE (1) at the end.
 *   Skip   passes over up to celt records: S_OK when celt were passed, S_FALSE at the end.
 *   Reset  back to the first record; S_OK.
 *   Clone  stores a new enumerator over the same records, positioned at the first one, with one
 *          reference that the caller releases; E_OUTOFMEMORY stores nothing.
 */
#ifdef __cplusplus
struct IEnumEVENTUI : public IUnknown {
  virtual HRESULT EVENTUI_CALL Next(ULONG celt, EVENTUI* rgelt, ULONG* pceltFetched) = 0;
  virtual HRESULT EVENTUI_CALL Skip(ULONG celt) = 0;
  virtual HRESULT EVENTUI_CALL Reset() = 0;
  virtual HRESULT EVENTUI_CALL Clone(IEnumEVENTUI** ppEnum) = 0;

 protected:
  ~IEnumEVENTUI() = default;
};
#else
typedef struct IEnumEVENTUI IEnumEVENTUI;
typedef struct IEnumEVENTUIVtbl {
  HRESULT(EVENTUI_CALL* QueryInterface)(IEnumEVENTUI* This, REFIID riid, void** ppvObject);
  ULONG(EVENTUI_CALL* AddRef)(IEnumEVENTUI* This);
  ULONG(EVENTUI_CALL* Release)(IEnumEVENTUI* This);
  HRESULT(EVENTUI_CALL* Next)(IEnumEVENTUI* This, ULONG celt, EVENTUI* rgelt,
                              ULONG* pceltFetched);
  HRESULT(EVENTUI_CALL* Skip)(IEnumEVENTUI* This, ULONG celt);
  HRESULT(EVENTUI_CALL* Reset)(IEnumEVENTUI* This);
  HRESULT(EVENTUI_CALL* Clone)(IEnumEVENTUI* This, IEnumEVENTUI** ppEnum);
} IEnumEVENTUIVtbl;
struct IEnumEVENTUI {
  const IEnumEVENTUIVtbl* lpVtbl;
};
#endif

/* --- The export ------------------------------------------------------------------------------- */

/*
 * UI_EnumEVENTUI, exported by name (ordinal 1 on Windows): stores a new enumerator over every
 * record, positioned at the first one, with one reference that the caller releases. S_OK;
 * E_OUTOFMEMORY stores nothing; E_POINTER for a null ppEnum.
 */
#ifdef __cplusplus
extern "C" {
#endif
HRESULT EVENTUI_CALL UI_EnumEVENTUI(IEnumEVENTUI** ppEnum);
#ifdef __cplusplus
}
#endif
/* Its type, for a viewer that looks it up with GetProcAddress or dlsym. */
typedef HRESULT(EVENTUI_CALL* PFN_UI_ENUMEVENTUI)(IEnumEVENTUI** ppEnum);

#endif /* VEDUVEDADER_EVENTUI_H */
