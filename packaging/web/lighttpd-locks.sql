-- The lock database of lighttpd's mod_webdav for zenta's class files, with
-- lock times that work. mod_webdav 1.4.69 writes a lock's end as
-- CURRENT_TIME + seconds and reads what is left as timeout - CURRENT_TIME:
-- CURRENT_TIME is a text "HH:MM:SS" (UTC), whose number is the hour, so a
-- lock of 10 s taken at 09:xx ends at 19:00, and one taken from 14:00 on
-- never.
-- Here "locks" is a view of the table zenta_locks, which keeps each lock's
-- end in seconds since 1970: what mod_webdav writes is turned into that,
-- and what it reads back is the hour plus the seconds left, so its
-- "timeout - CURRENT_TIME" is the seconds left; an ended lock is no longer
-- there. mod_webdav makes its tables "IF NOT EXISTS": it takes this view
-- for its table of locks.
CREATE TABLE zenta_locks (
  locktoken TEXT NOT NULL PRIMARY KEY, resource TEXT NOT NULL, lockscope TEXT NOT NULL,
  locktype TEXT NOT NULL, owner TEXT NOT NULL, ownerinfo TEXT NOT NULL, depth INT NOT NULL,
  ends INT NOT NULL);
CREATE VIEW locks AS
  SELECT locktoken, resource, lockscope, locktype, owner, ownerinfo, depth,
         CAST(strftime('%H', 'now') AS INTEGER) + ends - CAST(strftime('%s', 'now') AS INTEGER)
           AS timeout
  FROM zenta_locks WHERE ends > CAST(strftime('%s', 'now') AS INTEGER);
-- Within one statement 'now' is one moment, so the hour taken off here is
-- the one that mod_webdav added.
CREATE TRIGGER locks_insert INSTEAD OF INSERT ON locks BEGIN
  DELETE FROM zenta_locks WHERE ends <= CAST(strftime('%s', 'now') AS INTEGER);
  INSERT INTO zenta_locks VALUES (NEW.locktoken, NEW.resource, NEW.lockscope, NEW.locktype,
    NEW.owner, NEW.ownerinfo, NEW.depth,
    CAST(strftime('%s', 'now') AS INTEGER) + NEW.timeout - CAST(strftime('%H', 'now') AS INTEGER));
END;
CREATE TRIGGER locks_update INSTEAD OF UPDATE ON locks BEGIN
  UPDATE zenta_locks
    SET ends = CAST(strftime('%s', 'now') AS INTEGER) + NEW.timeout
               - CAST(strftime('%H', 'now') AS INTEGER)
    WHERE locktoken = OLD.locktoken;
END;
-- An UNLOCK deletes through the view, which SQLite counts as no change:
-- mod_webdav answers 409 although the lock is gone (the page does not
-- read UNLOCK's answer).
CREATE TRIGGER locks_delete INSTEAD OF DELETE ON locks BEGIN
  DELETE FROM zenta_locks WHERE locktoken = OLD.locktoken;
END;
