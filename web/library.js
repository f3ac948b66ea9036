// The game's fsync in the browser: it returns once the page has copied the files to the browser's
// storage, so a saved game is kept when the save returns, as on a disk (see page.js). A copy that
// fails fails the fsync, a full storage as a full disk does, and the game says it did not save.
mergeInto(LibraryManager.library, {
  fd_sync__sig: 'ii',
  fd_sync: function(fd) {
    return Asyncify.handleSleep((wakeUp) => Module.vhKeepFiles((error) => {
      if (!error) {
        wakeUp(0);
      } else if (error.name === 'QuotaExceededError') {
        wakeUp({{{ cDefine('ENOSPC') }}});
      } else {
        wakeUp({{{ cDefine('EIO') }}});
      }
    }));
  },
});
