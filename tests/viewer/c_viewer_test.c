/*
 * A viewer written in C against the public header alone: loads the plug-in, walks its catalogue
 * through the enumerator's function table, and renders the payloads of the reviewed samples (the
 * host's samples transcript, named on the command line) through every record's entries, checking
 * each result and the buffer contract around it. On the way it checks each record's event type,
 * the guards of the exports and of the text entries, and that the plug-in stays loaded while an
 * enumerator lives. Every call goes through a pointer of the interface's calling convention
 * (__stdcall on 32-bit Windows). What the renderings say is the host's samples test's and, under
 * Wine, the differential run's to check.
 *
 * Usage: c_viewer_test TRANSCRIPT. Exit status 0 when every check passed.
 */
#ifdef _WIN32
#include <windows.h>
#include <oleauto.h>
#else
#include <dlfcn.h>
#endif
#include <stdio.h>
#include <string.h>

#include "veduvedader/eventui.h"

#define ROWS 30
#define CAPACITY 4096
#define GUARD 0xFEFEu

static const HRESULT s_ok = 0;
static const HRESULT s_false = 1;
#define DISP_E_EXCEPTION_VALUE ((HRESULT)0x80020009u)
#define E_POINTER_VALUE ((HRESULT)0x80004003u)
#define E_INVALIDARG_VALUE ((HRESULT)0x80070057u)

static int failures = 0;

/* where: the sample's number, or a count that the check concerns. */
static void fail(const char* what, long where) {
  fprintf(stderr, "FAIL: %s (%ld)\n", what, where);
  ++failures;
}
#define CHECK(condition, where) ((condition) ? (void)0 : fail(#condition, (long)(where)))

/* --- The platform's loader ------------------------------------------------------------------ */

#ifdef _WIN32
typedef HMODULE Module;
static Module load(void) { return LoadLibraryA(VED_PLUGIN_PATH); }
static void unload(Module module) { FreeLibrary(module); }
static void print_load_error(void) { fprintf(stderr, "error %lu\n", GetLastError()); }
#else
typedef void* Module;
static Module load(void) { return dlopen(VED_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL); }
static void unload(Module module) { dlclose(module); }
static void print_load_error(void) { fprintf(stderr, "%s\n", dlerror()); }
#endif

/* Stores the address of the module's export at function, a function pointer of size bytes. */
static void lookup(Module module, const char* name, void* function, size_t size) {
#ifdef _WIN32
  FARPROC address = GetProcAddress(module, name);
#else
  void* address = dlsym(module, name);
#endif
  memcpy(function, &address, size);
}

static PFN_GETERRORINFO take_error_info;
static PFN_SYSFREESTRING free_string;
static PFN_UI_ENUMEVENTUI enumerate;
/* The server's exports: the header types only UI_EnumEVENTUI, but all share its convention. */
static HRESULT(EVENTUI_CALL* can_unload)(void);
static HRESULT(EVENTUI_CALL* get_class_object)(REFIID rclsid, REFIID riid, void** ppv);

static size_t units(const EVENTUI_CHAR* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

/* Whether the thread's error information, taken from the thread, describes an overflow. */
static int overflow_described(void) {
  static const char expected[] = "an overflow occured";
  IErrorInfo* info = NULL;
  BSTR text = NULL;
  int same = 0;
  if (take_error_info(0, &info) != s_ok || info == NULL) return 0;
  if (info->lpVtbl->GetDescription(info, &text) == s_ok && text != NULL) {
    size_t n = 0;
    while (n < sizeof expected && text[n] == (unsigned char)expected[n]) ++n;
    same = n == sizeof expected;
  }
  free_string(text);
  info->lpVtbl->Release(info);
  return same;
}

/* --- The catalogue --------------------------------------------------------------------------- */

/* The event types that stored events carry, row by row: written here by hand, so that a change to
 * the catalogue cannot move one unnoticed. */
static const char* const event_types[ROWS] = {
    "{E75FCDFC-EBF9-4EB7-A6CD-6E341695442E}", "{47761D93-AD87-4314-B78B-BE286D6114D7}",
    "{32AC1F76-CB0C-491B-B2D9-7BF7417FBDB1}", "{B9178438-058D-49F7-908A-C8685A8F5669}",
    "{80FC9403-5AA8-4D9C-962A-11D5197A95F7}", "{15FB2087-B617-436E-AA2D-EF6B2BA17E81}",
    "{A03758A6-2081-45F5-A5D1-2E56101CEA78}", "{8956F0D4-9546-421A-A558-57EA18B446BB}",
    "{0FA46FA6-48E6-4A6E-94E6-CEAE683B5B67}", "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}",
    "{579C8A57-F0A4-40EE-9648-377CE8572512}", "{A03758A6-2081-45F5-A5D1-2E56101CEA78}",
    "{0D5D375C-2F13-4C2A-A18B-A1623C745DC9}", "{2D0FD8BA-1FB6-4AE0-8C49-D2494FD3157A}",
    "{BE9CB57C-B916-4E1A-81CF-E98B5306C0F1}", "{D757A97F-0E5D-4D22-922D-89ED4B877BE0}",
    "{BDF2EE1D-D825-44BF-8D0E-8CACB51F9AC9}", "{B2EFEC69-CDE5-444C-9E8F-610FB83F47DA}",
    "{C35CDBA7-F0DE-41A8-A63F-CFF636939A4F}", "{36A87D25-60BB-4581-8835-49A9D9C31F41}",
    "{CDFCE450-4B4B-4806-B283-C959E926B05B}", "{77AE5179-A403-4D76-9C70-04576B52F72E}",
    "{F60D9DD4-21EA-426C-B124-15C33B38A796}", "{F76B8226-0295-4D2C-97C7-F3BAE4C12F62}",
    "{7F15F89A-83EF-42DD-9670-6BA8286D500D}", "{300302AA-FE6D-4DBC-9490-B842F92C3C4C}",
    "{9888D44A-58B7-47B0-9BEA-44F68F58BDE7}", "{89B654D2-A847-43FA-8405-D25D73562AD6}",
    "{3DBCE266-A4E7-48AC-8B56-9B99C1C3BC50}", "{C47B8195-F2CF-4E17-AC5F-9F3AC56FD23E}",
};

/* Fills records, which has room for ROWS + 7. */
static int walk_catalogue(EVENTUI* records) {
  IEnumEVENTUI* e = NULL;
  IEnumEVENTUI* same = NULL;
  IEnumEVENTUI* clone = NULL;
  EVENTUI one;
  EVENTUI_CHAR small[4];
  uint32_t colour = 0;
  char type[40];
  ULONG fetched = 0;
  ULONG total = 0;
  ULONG row;
  HRESULT hr;

  CHECK(enumerate(NULL) == E_POINTER_VALUE, 0);
  /* Any class: nothing is written through a null out-pointer (the 32-bit DLL once crashed). */
  CHECK(get_class_object(&IID_IEnumEVENTUI, &IID_IEnumEVENTUI, NULL) == E_POINTER_VALUE, 0);
  CHECK(can_unload() == s_ok, 0);
  if (enumerate(&e) != s_ok || e == NULL) return 0;
  CHECK(can_unload() == s_false, 0);
  CHECK(e->lpVtbl->QueryInterface(e, &IID_IEnumEVENTUI, (void**)&same) == s_ok && same == e, 0);
  CHECK(e->lpVtbl->Release(e) == 1, 0);
  /* Uneven batches: the last one comes up short. records has room for one more batch. */
  do {
    hr = e->lpVtbl->Next(e, 7, records + total, &fetched);
    total += fetched;
  } while (hr == s_ok && fetched == 7 && total < ROWS);
  CHECK(hr == s_false && fetched == ROWS % 7 && total == ROWS, total);
  for (row = 0; row < total && row < ROWS; ++row) {
    const GUID* g = &records[row].guidType;
    snprintf(type, sizeof type, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
             (unsigned long)g->Data1, g->Data2, g->Data3, g->Data4[0], g->Data4[1], g->Data4[2],
             g->Data4[3], g->Data4[4], g->Data4[5], g->Data4[6], g->Data4[7]);
    CHECK(strcmp(type, event_types[row]) == 0, row);
    CHECK(records[row].pfnText(0, 0, NULL, small, 0, &colour) == E_INVALIDARG_VALUE, row);
    CHECK(records[row].pfnText(0, 0, NULL, small, 4, NULL) == E_POINTER_VALUE, row);
  }
  CHECK(e->lpVtbl->Skip(e, 1) == s_false, 0);
  CHECK(e->lpVtbl->Reset(e) == s_ok && e->lpVtbl->Skip(e, ROWS - 1) == s_ok, 0);
  CHECK(e->lpVtbl->Next(e, 1, &one, NULL) == s_ok && one.pszName == records[ROWS - 1].pszName, 0);
  CHECK(e->lpVtbl->Clone(e, &clone) == s_ok && clone != NULL, 0);
  /* The clone alone keeps the plug-in loaded. */
  CHECK(e->lpVtbl->Release(e) == 0 && can_unload() == s_false, 0);
  if (clone != NULL) {
    CHECK(clone->lpVtbl->Next(clone, 1, &one, &fetched) == s_ok &&
              one.pfnXml == records[0].pfnXml, 0);
    CHECK(clone->lpVtbl->Release(clone) == 0, 0);
  }
  CHECK(can_unload() == s_ok, 0);
  return total == ROWS;
}

/* --- The samples ----------------------------------------------------------------------------- */

static EVENTUI_CHAR buffer[CAPACITY + 8];

/* The buffer holds a terminated text within capacity and nothing was written past it. */
static int buffer_sound(uint32_t capacity) {
  size_t i;
  int terminated = 0;
  for (i = 0; i < capacity; ++i) terminated |= buffer[i] == 0;
  for (i = capacity; i < sizeof buffer / sizeof buffer[0]; ++i)
    if (buffer[i] != GUARD) return 0;
  return terminated;
}

/* Calls the row's text entry (text 1) or XML entry (text 0) on the payload into capacity units
 * of the buffer, which then must be sound. */
static HRESULT call(const EVENTUI* record, int text, const uint8_t* payload, uint32_t size,
                    uint32_t capacity, uint32_t* colour, long number) {
  HRESULT hr;
  size_t i;
  for (i = 0; i < sizeof buffer / sizeof buffer[0]; ++i) buffer[i] = (EVENTUI_CHAR)GUARD;
  hr = text ? record->pfnText(0xDEADBEEFu, size, payload, buffer, capacity, colour)
            : record->pfnXml(0xDEADBEEFu, size, payload, buffer, capacity);
  CHECK(buffer_sound(capacity), number);
  return hr;
}

/* Renders the payload through the row's entries, then into a buffer a unit short, which must fail
 * as a described overflow and leave the colour as it was: under Wine no other test reaches the
 * entries. */
static void render(const EVENTUI* record, const uint8_t* payload, uint32_t size, long number) {
  int text;
  for (text = 1; text >= 0; --text) {
    uint32_t colour = 1;
    HRESULT hr = call(record, text, payload, size, CAPACITY, &colour, number);
#ifdef _WIN32
    /* Windows parses device names itself, those of its own devices only: a sample that names
     * another fails there with a moniker error (MK_E_). */
    if (((uint32_t)hr & 0xFFFFFFF0u) == 0x800401E0u) continue;
#endif
    CHECK(hr == s_ok, number);
    /* An empty rendering fits any buffer. */
    if (hr != s_ok || buffer[0] == 0) continue;
    colour = 1;
    CHECK(call(record, text, payload, size, (uint32_t)units(buffer), &colour, number) ==
                  DISP_E_EXCEPTION_VALUE && colour == 1, number);
    CHECK(overflow_described(), number);
  }
}

int main(int argc, char** argv) {
  static char line[1 << 14];
  static uint8_t payload[1 << 12];
  FILE* transcript = argc == 2 ? fopen(argv[1], "rb") : NULL;
  Module plugin;
  EVENTUI records[ROWS + 7];
  PFN_EVENTUI_XML xml_called[ROWS];
  PFN_EVENTUI_TEXT text_called[ROWS];
  size_t xml_entries = 0, text_entries = 0;
  unsigned row = ROWS;
  long samples = 0;

  if (transcript == NULL) {
    fprintf(stderr, "usage: %s TRANSCRIPT (a readable samples transcript)\n", argv[0]);
    return 2;
  }
  plugin = load();
  if (plugin == NULL) {
    fprintf(stderr, "cannot load %s: ", VED_PLUGIN_PATH);
    print_load_error();
    return 1;
  }
#ifdef _WIN32
  /* As a viewer's thread would be: device names are parsed through the system's monikers. */
  CoInitialize(NULL);
  /* The system's runtime, whatever the plug-in. */
  take_error_info = GetErrorInfo;
  free_string = SysFreeString;
#else
  /* The runtime comes with the plug-in: a lookup on its handle finds the instance it uses. */
  lookup(plugin, "GetErrorInfo", &take_error_info, sizeof take_error_info);
  lookup(plugin, "SysFreeString", &free_string, sizeof free_string);
#endif
  lookup(plugin, "UI_EnumEVENTUI", &enumerate, sizeof enumerate);
  lookup(plugin, "DllCanUnloadNow", &can_unload, sizeof can_unload);
  lookup(plugin, "DllGetClassObject", &get_class_object, sizeof get_class_object);
  if (enumerate == NULL || can_unload == NULL || get_class_object == NULL ||
      take_error_info == NULL || free_string == NULL || !walk_catalogue(records)) {
    fprintf(stderr, "the plug-in's catalogue cannot be walked\n");
    unload(plugin);
    return 1;
  }

  /* Each sample is a heading "== ROW NAME: TITLE", then "payload HEX", then its renderings. */
  while (fgets(line, sizeof line, transcript) != NULL) {
    const char* hex = line + 8;
    uint32_t size = 0;
    unsigned byte;
    size_t x, t;
    if (sscanf(line, "== %u", &row) == 1 || strncmp(line, "payload ", 8) != 0) continue;
    for (; size < sizeof payload && sscanf(hex, "%2x", &byte) == 1; hex += 2)
      payload[size++] = (uint8_t)byte;
    if (row >= ROWS || *hex != '\n') {
      fail("malformed sample in the transcript", samples + 1);
      break;
    }
    render(&records[row], payload, size, ++samples);
    for (x = 0; x < xml_entries && xml_called[x] != records[row].pfnXml; ++x) continue;
    if (x == xml_entries) xml_called[xml_entries++] = records[row].pfnXml;
    for (t = 0; t < text_entries && text_called[t] != records[row].pfnText; ++t) continue;
    if (t == text_entries) text_called[text_entries++] = records[row].pfnText;
    row = ROWS;
  }
  fclose(transcript);
  /* Every one of the 24 XML and 20 text entries ran. */
  CHECK(xml_entries == 24 && text_entries == 20, xml_entries * 100 + text_entries);

  printf("%ld samples rendered; %u XML and %u text entries called; %d failures\n", samples,
         (unsigned)xml_entries, (unsigned)text_entries, failures);
  unload(plugin);
  return failures == 0 ? 0 : 1;
}
