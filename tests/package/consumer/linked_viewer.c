/*
 * A program that links the plug-in rather than loading it: calls UI_EnumEVENTUI directly, counts
 * the records and renders a no-operation switch through the tenth one, "InBand Switch".
 */
#include <stdio.h>

#include <veduvedader/eventui.h>

int main(void) {
  static const uint8_t no_operation[] = {0x01, 0x00};
  IEnumEVENTUI* records = NULL;
  EVENTUI record, inband_switch = {0};
  ULONG fetched = 0, count = 0;
  EVENTUI_CHAR text[256];
  uint32_t colour = 0;
  size_t i;

  if (UI_EnumEVENTUI(&records) != 0) return 1;
  while (records->lpVtbl->Next(records, 1, &record, &fetched) == 0 && fetched == 1)
    if (count++ == 9) inband_switch = record;
  records->lpVtbl->Release(records);
  if (count != 30 || inband_switch.pfnText(0, sizeof no_operation, no_operation, text,
                                           sizeof text / sizeof text[0], &colour) != 0)
    return 1;
  printf("%lu event types; ", (unsigned long)count);
  for (i = 0; text[i] != 0; ++i) putchar(text[i] < 0x80 ? (int)text[i] : '?');
  printf("\n");
  return 0;
}
