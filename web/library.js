// The game's fsync in the browser: it returns once the page has copied the files to the browser's
// storage, so a saved game is kept when the save returns, as on a disk (see page.js).
mergeInto(LibraryManager.library, {
  fd_sync__sig: 'ii',
  fd_sync: function(fd) {
    return Asyncify.handleSleep((wakeUp) => Module.vhKeepFiles(() => wakeUp(0)));
  },
});
