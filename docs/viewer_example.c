/*
 * A minimal event viewer: loads the Veduvedad.er plug-in, lists its event types, renders one
 * "InBand Switch" event as text and as XML into a buffer that grows until the output fits, and
 * shows the error information of a rendering that fails.
 *
 * Usage: viewer_example [PLUGIN]
 *   PLUGIN is the plug-in's path; without it, its file name, for the system's loader to find.
 */
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <veduvedader/eventui.h>

/* --- Loading the plug-in ----------------------------------------------------------------------- */

#ifdef _WIN32
#define PLUGIN_FILE "Veduvedad.er.dll"
typedef HMODULE Library;
static Library open_library(const char* path) { return LoadLibraryA(path); }
static void close_library(Library library) { FreeLibrary(library); }
static void* find_function(Library library, const char* name) {
  FARPROC function = GetProcAddress(library, name);
  void* address;
  memcpy(&address, &function, sizeof address);
  return address;
}
#else
#define PLUGIN_FILE "libveduvedader.so.1"
typedef void* Library;
static Library open_library(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
static void close_library(Library library) { dlclose(library); }
static void* find_function(Library library, const char* name) { return dlsym(library, name); }
#endif

struct Plugin {
  Library library;
  PFN_UI_ENUMEVENTUI enumerate;
  PFN_GETERRORINFO get_error_info; /* the runtime that keeps the error information */
  PFN_SYSFREESTRING free_string;
};

/* Stores the function's address in *function (ISO C cannot cast an object pointer to it). */
static int resolve(Library library, const char* name, void* function, size_t size) {
  void* address = find_function(library, name);
  if (address == NULL) return 0;
  memcpy(function, &address, size);
  return 1;
}

static int load_plugin(const char* path, struct Plugin* plugin) {
  plugin->library = open_library(path);
  if (plugin->library == NULL) return 0;
#ifdef _WIN32
  /* The system's runtime, from oleaut32. */
  plugin->get_error_info = GetErrorInfo;
  plugin->free_string = SysFreeString;
#else
  /* The runtime comes with the plug-in: a lookup on its handle finds the instance it uses. */
  if (!resolve(plugin->library, "GetErrorInfo", &plugin->get_error_info,
               sizeof plugin->get_error_info) ||
      !resolve(plugin->library, "SysFreeString", &plugin->free_string,
               sizeof plugin->free_string)) {
    close_library(plugin->library);
    return 0;
  }
#endif
  if (!resolve(plugin->library, "UI_EnumEVENTUI", &plugin->enumerate, sizeof plugin->enumerate)) {
    close_library(plugin->library);
    return 0;
  }
  return 1;
}

/* --- Text -------------------------------------------------------------------------------------- */

/* Writes NUL-terminated UTF-16 to standard output as UTF-8. */
static void print_utf16(const EVENTUI_CHAR* text) {
  for (; *text != 0; ++text) {
    unsigned long c = *text;
    if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unsigned long)(text[1] - 0xDC00);
      ++text;
    }
    if (c < 0x80) {
      putchar((int)c);
    } else if (c < 0x800) {
      putchar((int)(0xC0 | c >> 6));
      putchar((int)(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      putchar((int)(0xE0 | c >> 12));
      putchar((int)(0x80 | (c >> 6 & 0x3F)));
      putchar((int)(0x80 | (c & 0x3F)));
    } else {
      putchar((int)(0xF0 | c >> 18));
      putchar((int)(0x80 | (c >> 12 & 0x3F)));
      putchar((int)(0x80 | (c >> 6 & 0x3F)));
      putchar((int)(0x80 | (c & 0x3F)));
    }
  }
}

/* Takes the calling thread's error information away from it and copies its description into
 * out ("" when there is none). The descriptions are English phrases: ASCII. */
static void take_error_description(const struct Plugin* plugin, char* out, size_t size) {
  IErrorInfo* info = NULL;
  BSTR text = NULL;
  out[0] = '\0';
  if (plugin->get_error_info(0, &info) != 0 || info == NULL) return;
  if (info->lpVtbl->GetDescription(info, &text) == 0 && text != NULL) {
    size_t n;
    for (n = 0; text[n] != 0 && n + 1 < size; ++n) out[n] = text[n] < 0x80 ? (char)text[n] : '?';
    out[n] = '\0';
  }
  plugin->free_string(text);
  info->lpVtbl->Release(info);
}

/* --- Rendering --------------------------------------------------------------------------------- */

#define ENTRY_EXCEPTION ((HRESULT)0x80020009u) /* DISP_E_EXCEPTION: see the error information */
#define BUFFER_LIMIT (1u << 20)                /* UTF-16 units */

struct Buffer {
  EVENTUI_CHAR* units;
  uint32_t capacity; /* in UTF-16 units, terminator included */
};

/* Calls the record's text entry (when colour is not null) or its XML entry, doubling the buffer
 * while the output does not fit. Returns the entry's result; a failure is printed with its
 * description, and the buffer then holds the text written before it. */
static HRESULT render(const struct Plugin* plugin, const EVENTUI* record, const uint8_t* payload,
                      uint32_t size, struct Buffer* buffer, uint32_t* colour) {
  char description[256];
  for (;;) {
    HRESULT hr = colour != NULL
                     ? record->pfnText(0, size, payload, buffer->units, buffer->capacity, colour)
                     : record->pfnXml(0, size, payload, buffer->units, buffer->capacity);
    if (hr >= 0) return hr;
    take_error_description(plugin, description, sizeof description);
    if (hr == ENTRY_EXCEPTION && strcmp(description, "an overflow occured") == 0 &&
        buffer->capacity < BUFFER_LIMIT) {
      EVENTUI_CHAR* grown = realloc(buffer->units, 2 * buffer->capacity * sizeof *grown);
      if (grown != NULL) {
        buffer->units = grown;
        buffer->capacity *= 2;
        continue;
      }
    }
    printf("failed with 0x%08lX: %s\n", (unsigned long)(uint32_t)hr, description);
    return hr;
  }
}

/* --- The viewer -------------------------------------------------------------------------------- */

static const GUID inband_switch = {
    0x19B16A25, 0x7D9E, 0x4683, {0x9B, 0x99, 0xED, 0x3E, 0xAC, 0x31, 0x90, 0xA3}};

/* A scheduled switch from home to a carrier of 2.048Mbps at 14.25GHz, 1.5MHz wide. */
static const uint8_t payload[] = {0x10, 0x21, 0x00, 0x40, 0x1F, 0x00, 0x80, 0xBE, 0x5D,
                                  0x51, 0x03, 0x00, 0x00, 0x00, 0x60, 0xE3, 0x16, 0x00};

/* Lists the catalogue and copies out the record of the event type wanted; 0 when it has none. */
static int find_record(const struct Plugin* plugin, const GUID* type, EVENTUI* found) {
  IEnumEVENTUI* records = NULL;
  EVENTUI record;
  ULONG fetched = 0;
  int matched = 0;
  if (plugin->enumerate(&records) != 0) return 0;
  while (records->lpVtbl->Next(records, 1, &record, &fetched) == 0 && fetched == 1) {
    const GUID* g = &record.guidType;
    printf("{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}  ", (unsigned long)g->Data1,
           (unsigned)g->Data2, (unsigned)g->Data3, (unsigned)g->Data4[0], (unsigned)g->Data4[1],
           (unsigned)g->Data4[2], (unsigned)g->Data4[3], (unsigned)g->Data4[4],
           (unsigned)g->Data4[5], (unsigned)g->Data4[6], (unsigned)g->Data4[7]);
    print_utf16(record.pszName);
    putchar('\n');
    /* Records stay valid while the plug-in is loaded; the first of a type is its current one. */
    if (!matched && memcmp(g, type, sizeof *g) == 0) {
      *found = record;
      matched = 1;
    }
  }
  records->lpVtbl->Release(records);
  return matched;
}

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : PLUGIN_FILE;
  struct Plugin plugin;
  struct Buffer buffer;
  EVENTUI record;
  uint32_t colour = 0;
  int status = 1;

  if (!load_plugin(path, &plugin)) {
    fprintf(stderr, "cannot load the plug-in %s\n", path);
    return 1;
  }
  /* Small on purpose: the first calls do not fit, and the buffer grows. */
  buffer.capacity = 16;
  buffer.units = malloc(buffer.capacity * sizeof *buffer.units);
  if (buffer.units != NULL && find_record(&plugin, &inband_switch, &record)) {
    printf("\nAs text:\n");
    if (render(&plugin, &record, payload, sizeof payload, &buffer, &colour) == 0) {
      print_utf16(buffer.units);
      printf("\n(colour 0x%06lX; the buffer grew to %lu units)\nAs XML:\n", (unsigned long)colour,
             (unsigned long)buffer.capacity);
      if (render(&plugin, &record, payload, sizeof payload, &buffer, NULL) == 0) {
        print_utf16(buffer.units);
        status = 0;
      }
    }
    /* Cut short, the payload fails to render: the entry says why, and leaves what it wrote. */
    printf("\nThe same event cut short, as XML: ");
    if (render(&plugin, &record, payload, sizeof payload - 4, &buffer, NULL) < 0) {
      printf("written before the failure:\n");
      print_utf16(buffer.units);
      printf("\n");
    }
  }
  free(buffer.units);
  close_library(plugin.library);
  return status;
}
