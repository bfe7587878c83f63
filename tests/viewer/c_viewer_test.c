/*
 * A viewer written in C against the public header alone: loads the plug-in, walks its catalogue
 * through the enumerator's function table, and renders the reviewed samples (the host's samples
 * transcript, named on the command line) through every record's entries, checking each result
 * and the buffer contract around it.
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
#include <stdlib.h>
#include <string.h>

#include "veduvedader/eventui.h"

#define ROWS 30
#define CAPACITY 4096
#define GUARD 0xFEFEu

static const HRESULT s_ok = 0;
static const HRESULT s_false = 1;
#define DISP_E_EXCEPTION_VALUE ((HRESULT)0x80020009u)

static int failures = 0;

/* where: the sample's number, or a count that the check concerns. */
static void fail(const char* what, long where) {
  fprintf(stderr, "FAIL: %s (%ld)\n", what, where);
  ++failures;
}
#define CHECK(condition, where) ((condition) ? (void)0 : fail(#condition, (long)(where)))

/* --- The platform's loader and error runtime ------------------------------------------------ */

#ifdef _WIN32
typedef HMODULE Module;
static Module load(void) { return LoadLibraryA(VED_PLUGIN_PATH); }
static void* lookup(Module module, const char* name) {
  FARPROC function = GetProcAddress(module, name);
  void* address;
  memcpy(&address, &function, sizeof address);
  return address;
}
static void unload(Module module) { FreeLibrary(module); }
static void print_load_error(void) { fprintf(stderr, "error %lu\n", GetLastError()); }
/* The system's runtime, whatever the plug-in. */
static PFN_GETERRORINFO get_error_info(Module plugin) {
  (void)plugin;
  return GetErrorInfo;
}
static PFN_SYSFREESTRING sys_free_string(Module plugin) {
  (void)plugin;
  return SysFreeString;
}
#else
typedef void* Module;
static Module load(void) { return dlopen(VED_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL); }
static void* lookup(Module module, const char* name) { return dlsym(module, name); }
static void unload(Module module) { dlclose(module); }
static void print_load_error(void) { fprintf(stderr, "%s\n", dlerror()); }
/* The runtime comes with the plug-in: a lookup on its handle finds the instance it uses. */
static PFN_GETERRORINFO get_error_info(Module plugin) {
  PFN_GETERRORINFO function;
  void* address = lookup(plugin, "GetErrorInfo");
  memcpy(&function, &address, sizeof function);
  return function;
}
static PFN_SYSFREESTRING sys_free_string(Module plugin) {
  PFN_SYSFREESTRING function;
  void* address = lookup(plugin, "SysFreeString");
  memcpy(&function, &address, sizeof function);
  return function;
}
#endif

static PFN_GETERRORINFO take_error_info;
static PFN_SYSFREESTRING free_string;

/* --- Text ------------------------------------------------------------------------------------ */

/* UTF-16 (NUL-terminated) as UTF-8 into out, which has room for size bytes. */
static void to_utf8(const EVENTUI_CHAR* text, char* out, size_t size) {
  size_t n = 0;
  for (; *text != 0 && n + 4 < size; ++text) {
    unsigned long c = *text;
    if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unsigned long)(text[1] - 0xDC00);
      ++text;
    }
    if (c < 0x80) {
      out[n++] = (char)c;
    } else if (c < 0x800) {
      out[n++] = (char)(0xC0 | (c >> 6));
      out[n++] = (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out[n++] = (char)(0xE0 | (c >> 12));
      out[n++] = (char)(0x80 | ((c >> 6) & 0x3F));
      out[n++] = (char)(0x80 | (c & 0x3F));
    } else {
      out[n++] = (char)(0xF0 | (c >> 18));
      out[n++] = (char)(0x80 | ((c >> 12) & 0x3F));
      out[n++] = (char)(0x80 | ((c >> 6) & 0x3F));
      out[n++] = (char)(0x80 | (c & 0x3F));
    }
  }
  out[n] = '\0';
}

static size_t units(const EVENTUI_CHAR* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

/* The thread's error description as ASCII, "" when there is none; taken from the thread. */
static void error_description(char* out, size_t size) {
  IErrorInfo* info = NULL;
  BSTR text = NULL;
  out[0] = '\0';
  if (take_error_info(0, &info) != s_ok || info == NULL) return;
  if (info->lpVtbl->GetDescription(info, &text) == s_ok && text != NULL) {
    size_t n = 0;
    for (; text[n] != 0 && n + 1 < size; ++n) out[n] = (char)(text[n] < 0x80 ? text[n] : '?');
    out[n] = '\0';
  }
  free_string(text);
  info->lpVtbl->Release(info);
}

/* --- The catalogue --------------------------------------------------------------------------- */

static int walk_catalogue(PFN_UI_ENUMEVENTUI enumerate, EVENTUI* records) {
  IEnumEVENTUI* e = NULL;
  IEnumEVENTUI* same = NULL;
  IEnumEVENTUI* clone = NULL;
  EVENTUI one;
  ULONG fetched = 0;
  ULONG total = 0;
  HRESULT hr;

  if (enumerate(&e) != s_ok || e == NULL) return 0;
  CHECK(e->lpVtbl->QueryInterface(e, &IID_IEnumEVENTUI, (void**)&same) == s_ok && same == e, 0);
  CHECK(e->lpVtbl->Release(e) == 1, 0);
  /* Uneven batches: the last one comes up short. */
  do {
    EVENTUI batch[7];
    hr = e->lpVtbl->Next(e, 7, batch, &fetched);
    if (fetched > 7 || total + fetched > ROWS) break;
    memcpy(records + total, batch, fetched * sizeof batch[0]);
    total += fetched;
  } while (hr == s_ok);
  CHECK(hr == s_false && fetched == ROWS % 7 && total == ROWS, total);
  CHECK(e->lpVtbl->Skip(e, 1) == s_false, 0);
  CHECK(e->lpVtbl->Reset(e) == s_ok && e->lpVtbl->Skip(e, ROWS - 1) == s_ok, 0);
  CHECK(e->lpVtbl->Next(e, 1, &one, NULL) == s_ok && one.pszName == records[ROWS - 1].pszName, 0);
  CHECK(e->lpVtbl->Clone(e, &clone) == s_ok && clone != NULL, 0);
  if (clone != NULL) {
    CHECK(clone->lpVtbl->Next(clone, 1, &one, &fetched) == s_ok && one.pfnXml == records[0].pfnXml, 0);
    CHECK(clone->lpVtbl->Release(clone) == 0, 0);
  }
  CHECK(e->lpVtbl->Release(e) == 0, 0);
  return total == ROWS;
}

/* --- The samples ----------------------------------------------------------------------------- */

struct Sample {
  unsigned row;
  char name[128];
  uint8_t payload[4096];
  uint32_t payload_size;
  uint32_t colour;
  const char* text; /* without the colour's escape codes */
  const char* xml;  /* every line with its line break */
  int has_moniker;  /* a device name that is not "(none)" */
};

/* The transcript draws white and the light "changed" colour in the terminal's own foreground,
   without an escape: either may stand behind such a line. */
#define LIGHT_COLOUR 0xFFFFFFFFu
static int colour_matches(uint32_t expected, uint32_t actual) {
  if (expected == LIGHT_COLOUR)
    return actual == EVENTUI_COLOUR_WHITE || actual == EVENTUI_COLOUR_CHANGED;
  return actual == expected;
}

/* One block of the transcript, cut in place: heading, payload, coloured text, then XML lines. */
static int parse_sample(char* block, struct Sample* s) {
  char* payload_line = strchr(block, '\n');
  char* text_line;
  char* xml;
  char* end_of_text;
  char* hex;
  const char* at;
  unsigned red, green, blue;
  int name_start = 0, escape_length = 0;

  if (payload_line == NULL) return 0;
  *payload_line++ = '\0';
  if (sscanf(block, "== %u %n", &s->row, &name_start) != 1 || s->row >= ROWS) return 0;
  at = strstr(block + name_start, ": ");
  if (at == NULL || (size_t)(at - block - name_start) >= sizeof s->name) return 0;
  memcpy(s->name, block + name_start, (size_t)(at - block - name_start));
  s->name[at - block - name_start] = '\0';

  text_line = strchr(payload_line, '\n');
  if (text_line == NULL || strncmp(payload_line, "payload ", 8) != 0) return 0;
  *text_line++ = '\0';
  s->payload_size = 0;
  for (hex = payload_line + 8; hex[0] != '\0' && hex[1] != '\0'; hex += 2) {
    unsigned byte;
    if (s->payload_size == sizeof s->payload || sscanf(hex, "%2x", &byte) != 1) return 0;
    s->payload[s->payload_size++] = (uint8_t)byte;
  }

  xml = strchr(text_line, '\n');
  if (xml == NULL) return 0;
  *xml++ = '\0';
  if (sscanf(text_line, "\033[38;2;%u;%u;%um%n", &red, &green, &blue, &escape_length) == 3 &&
      escape_length != 0) {
    s->colour = red | green << 8 | blue << 16;
    s->text = text_line + escape_length;
    end_of_text = strstr(text_line + escape_length, "\033[0m");
    if (end_of_text == NULL) return 0;
    *end_of_text = '\0';
  } else {
    s->colour = LIGHT_COLOUR;
    s->text = text_line;
  }
  s->xml = xml;

  s->has_moniker = 0;
  for (at = strstr(xml, "moniker=\""); at != NULL; at = strstr(at + 1, "moniker=\""))
    if (strncmp(at + 9, "(none)\"", 7) != 0) s->has_moniker = 1;
  return 1;
}

static EVENTUI_CHAR buffer[CAPACITY + 8];
static char rendered[4 * CAPACITY];

static void fill_guard(void) {
  size_t i;
  for (i = 0; i < sizeof buffer / sizeof buffer[0]; ++i) buffer[i] = (EVENTUI_CHAR)GUARD;
}

/* The buffer holds a terminated text within capacity and nothing was written past it. */
static int buffer_sound(uint32_t capacity) {
  size_t i;
  int terminated = 0;
  for (i = 0; i < capacity; ++i) terminated |= buffer[i] == 0;
  for (i = capacity; i < sizeof buffer / sizeof buffer[0]; ++i)
    if (buffer[i] != GUARD) return 0;
  return terminated;
}

/* Calls the row's entries on the sample: the full rendering compared with the transcript unless
 * compare is 0, then the buffer one unit short (an overflow) and exactly large enough. */
static void render(const EVENTUI* record, const struct Sample* s, int compare, long number) {
  uint32_t colour = 0;
  uint32_t length;
  HRESULT hr;
  char description[128];

  fill_guard();
  hr = record->pfnText(0xDEADBEEFu, s->payload_size, s->payload, buffer, CAPACITY, &colour);
  CHECK(buffer_sound(CAPACITY), number);
  if (compare) {
    to_utf8(buffer, rendered, sizeof rendered);
    CHECK(hr == s_ok && colour_matches(s->colour, colour) && strcmp(rendered, s->text) == 0, number);
  }
  if (hr == s_ok) {
    length = (uint32_t)units(buffer);
    fill_guard();
    colour = 1;
    CHECK(record->pfnText(0, s->payload_size, s->payload, buffer, length, &colour) ==
              DISP_E_EXCEPTION_VALUE && colour == 1 && buffer_sound(length), number);
    error_description(description, sizeof description);
    CHECK(strcmp(description, "an overflow occured") == 0, number);
    fill_guard();
    CHECK(record->pfnText(0, s->payload_size, s->payload, buffer, length + 1, &colour) == s_ok &&
              buffer_sound(length + 1) && units(buffer) == length, number);
  }

  fill_guard();
  hr = record->pfnXml(0xDEADBEEFu, s->payload_size, s->payload, buffer, CAPACITY);
  CHECK(buffer_sound(CAPACITY), number);
  if (compare) {
    size_t n;
    to_utf8(buffer, rendered, sizeof rendered - 1);
    /* The transcript ends every output with a line break. */
    n = strlen(rendered);
    if (n > 0 && rendered[n - 1] != '\n') strcpy(rendered + n, "\n");
    CHECK(hr == s_ok && strcmp(rendered, s->xml) == 0, number);
  }
  if (hr == s_ok && units(buffer) > 0) {
    length = (uint32_t)units(buffer);
    fill_guard();
    CHECK(record->pfnXml(0, s->payload_size, s->payload, buffer, length) ==
              DISP_E_EXCEPTION_VALUE && buffer_sound(length), number);
    error_description(description, sizeof description);
    CHECK(strcmp(description, "an overflow occured") == 0, number);
  }
}

static char* read_file(const char* path) {
  FILE* file = fopen(path, "rb");
  char* text = NULL;
  long size;
  if (file == NULL) return NULL;
  if (fseek(file, 0, SEEK_END) == 0 && (size = ftell(file)) > 0 && fseek(file, 0, SEEK_SET) == 0 &&
      (text = malloc((size_t)size + 1)) != NULL) {
    if (fread(text, 1, (size_t)size, file) == (size_t)size) {
      text[size] = '\0';
    } else {
      free(text);
      text = NULL;
    }
  }
  fclose(file);
  return text;
}

int main(int argc, char** argv) {
  Module plugin;
  PFN_UI_ENUMEVENTUI enumerate;
  EVENTUI records[ROWS];
  PFN_EVENTUI_XML xml_called[ROWS];
  PFN_EVENTUI_TEXT text_called[ROWS];
  size_t xml_entries = 0, text_entries = 0;
  char* transcript;
  char* block;
  int compared = 0, called_only = 0;

  if (argc != 2 || (transcript = read_file(argv[1])) == NULL) {
    fprintf(stderr, "usage: %s TRANSCRIPT (a readable samples transcript)\n", argv[0]);
    return 2;
  }
  plugin = load();
  if (plugin == NULL) {
    fprintf(stderr, "cannot load %s: ", VED_PLUGIN_PATH);
    print_load_error();
    free(transcript);
    return 1;
  }
  take_error_info = get_error_info(plugin);
  free_string = sys_free_string(plugin);
  {
    void* address = lookup(plugin, "UI_EnumEVENTUI");
    memcpy(&enumerate, &address, sizeof enumerate);
  }
  if (enumerate == NULL || take_error_info == NULL || free_string == NULL ||
      !walk_catalogue(enumerate, records)) {
    fprintf(stderr, "the plug-in's catalogue cannot be walked\n");
    free(transcript);
    unload(plugin);
    return 1;
  }

  for (block = strstr(transcript, "== "); block != NULL;) {
    /* Blocks are apart by one blank line. */
    char* separator = strstr(block, "\n\n== ");
    char* next = separator != NULL ? separator + 2 : NULL;
    long number = (long)(compared + called_only + 1);
    struct Sample sample;
    size_t i;
    if (separator != NULL) separator[1] = '\0';
    if (!parse_sample(block, &sample)) {
      fail("malformed block in the transcript", number);
      break;
    }
    to_utf8(records[sample.row].pszName, rendered, sizeof rendered);
    CHECK(strcmp(rendered, sample.name) == 0, number);
    /* Device names parse differently on each system: the transcript's are the stand-in's. */
#ifdef _WIN32
    render(&records[sample.row], &sample, !sample.has_moniker, number);
    if (sample.has_moniker) ++called_only; else ++compared;
#else
    render(&records[sample.row], &sample, 1, number);
    ++compared;
#endif
    for (i = 0; i < xml_entries && xml_called[i] != records[sample.row].pfnXml; ++i) continue;
    if (i == xml_entries) xml_called[xml_entries++] = records[sample.row].pfnXml;
    for (i = 0; i < text_entries && text_called[i] != records[sample.row].pfnText; ++i) continue;
    if (i == text_entries) text_called[text_entries++] = records[sample.row].pfnText;
    block = next;
  }
  /* Every one of the 24 XML and 20 text entries ran. */
  CHECK(xml_entries == 24 && text_entries == 20, xml_entries * 100 + text_entries);
  CHECK(compared > 0, compared);

  printf("%d samples compared, %d with device names only called; %u XML and %u text entries "
         "called; %d failures\n",
         compared, called_only, (unsigned)xml_entries, (unsigned)text_entries, failures);
  free(transcript);
  unload(plugin);
  return failures == 0 ? 0 : 1;
}
