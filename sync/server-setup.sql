-- SPDX-FileCopyrightText: 2026 The lumo3 authors
-- SPDX-License-Identifier: GPL-3.0-or-later
-- Sets up a PostgreSQL server for lumo3's results, run once by the
-- server's superuser:
--     sudo -u postgres psql -v ON_ERROR_STOP=1 -f server-setup.sql
-- then give the user its password:
--     sudo -u postgres psql -c '\password lumo3'
--
-- The user gets no more than the program needs: it may log in and connect
-- to this one database, and it owns the one schema there that holds the
-- program's tables, which the program creates and migrates itself. It is
-- no superuser, cannot create databases or roles, and has no rights in any
-- other database or schema.

CREATE ROLE lumo3 LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION;

CREATE DATABASE lumo3 ENCODING 'UTF8' LOCALE 'C.UTF-8' TEMPLATE template0;
-- Nobody else may connect to it or make temporary tables in it.
REVOKE ALL ON DATABASE lumo3 FROM PUBLIC;
GRANT CONNECT ON DATABASE lumo3 TO lumo3;

\connect lumo3
-- The database's "public" schema stays closed to the user.
REVOKE ALL ON SCHEMA public FROM PUBLIC;
CREATE SCHEMA lumo3 AUTHORIZATION lumo3;
