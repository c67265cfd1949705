#pragma once
// For the test run only: SQLite writes reach the files but are never synced to the disk. No test
// can tell a synced write from an unsynced one, and the syncs were most of the suite's time. The
// program's own settings (journal, sync level, locks) stay as they are.

void PSkipDiskSyncs();
