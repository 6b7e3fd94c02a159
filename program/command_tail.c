/* Command-tail handling for program.exe; see command_tail.h. Byte-wise throughout: in Shift-JIS a
 * comma or a double quote never occurs as the second byte of a double-byte character. */
#include "command_tail.h"

#include <string.h>

/* Shift-JIS lead bytes: the second byte of such a character may look like a quote or a blank. */
static int IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

const char* FindCommandTail(const char* command_line)
{
    const unsigned char* p = (const unsigned char*)command_line;

    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') {
            if (IsLeadByte(*p) && p[1] != '\0')
                ++p;
            ++p;
        }
        if (*p == '"')
            ++p;
    } else {
        while (*p > ' ') {
            if (IsLeadByte(*p) && p[1] != '\0')
                ++p;
            ++p;
        }
    }
    while (*p != '\0' && *p <= ' ')
        ++p;
    return (const char*)p;
}

int CopyCommandTail(char* buffer, const char* tail)
{
    size_t length = strlen(tail);

    if (length >= kTailBufferSize) {
        buffer[0] = '\0';
        return 0;
    }
    memcpy(buffer, tail, length + 1);
    return 1;
}

void SplitCommandTail(char* buffer, char* fields[kFieldCount])
{
    size_t length = strlen(buffer);
    size_t j = 0;
    int started = 1;
    int i;

    fields[0] = buffer;
    while (j < length) {
        if (buffer[j] == ',') {
            buffer[j] = '\0';
            if (started < kFieldCount)
                fields[started++] = buffer + j + 1;
            /* The byte after a separating comma always begins what follows, even a comma. */
            j += 2;
        } else {
            j += 1;
        }
    }
    for (i = started; i < kFieldCount; ++i)
        fields[i] = buffer;
}

int BuildCreateGroupCommand(char* command, const char* group)
{
    static const char kPrefix[] = "[CreateGroup(";
    static const char kSuffix[] = ")]";
    size_t length = strlen(group);

    if (length >= kGroupNameBufferSize)
        return 0;
    /* The prefix, at most 63 name bytes and the suffix always fit the 128-byte buffer. */
    strcpy(command, kPrefix);
    strcat(command, group);
    strcat(command, kSuffix);
    return 1;
}

int BuildAddItemCommand(char* command, const char* command_line, const char* item_name)
{
    static const char kPrefix[] = "[AddItem(";
    static const char kSuffix[] = ")]";
    size_t length = strlen(kPrefix) + strlen(command_line) + 1 + strlen(item_name) + strlen(kSuffix);

    if (length >= kItemCommandBufferSize)
        return 0;
    strcpy(command, kPrefix);
    strcat(command, command_line);
    strcat(command, ",");
    strcat(command, item_name);
    strcat(command, kSuffix);
    return 1;
}
