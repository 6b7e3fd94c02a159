/* The platform-free half of program.exe: taking the command tail from the command line, splitting
 * it into its four fields and building the two Program Manager commands. Plain bytes, no Win32. */
#ifndef PROGRAM_COMMAND_TAIL_H
#define PROGRAM_COMMAND_TAIL_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    kTailBufferSize = 1024,      /* the command tail with its terminating zero */
    kGroupNameBufferSize = 64,   /* copy of the group name */
    kGroupCommandBufferSize = 128,
    kItemCommandBufferSize = 256,
    kFieldCount = 4
};

/* Field positions inside the tail buffer, in command-tail order. */
enum { kFieldGroup = 0, kFieldFolder = 1, kFieldItemName = 2, kFieldCommandLine = 3 };

/* Returns the command tail inside command_line: after the program's name (quoted or not) and the
 * characters 1 to 32 that follow it. */
const char* FindCommandTail(const char* command_line);

/* Copies the tail into a kTailBufferSize buffer. Returns 0, leaving an empty buffer, when the tail
 * does not fit: a cut tail would register a silently shortened item. */
int CopyCommandTail(char* buffer, const char* tail);

/* Splits the tail buffer in place at its separating commas. A field the tail does not supply is
 * the first field. */
void SplitCommandTail(char* buffer, char* fields[kFieldCount]);

/* "[CreateGroup(<group>)]" into a kGroupCommandBufferSize buffer. Returns 0 and writes nothing
 * when the group name is longer than 63 bytes. */
int BuildCreateGroupCommand(char* command, const char* group);

/* "[AddItem(<command line>,<item name>)]" into a kItemCommandBufferSize buffer. Returns 0 and
 * writes nothing when the command would not fit. */
int BuildAddItemCommand(char* command, const char* command_line, const char* item_name);

#ifdef __cplusplus
}
#endif

#endif
