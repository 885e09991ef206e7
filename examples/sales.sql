-- A small sales database for the examples: the sales of half a year, by
-- region and salesman. The build turns it into examples/sales.db with the
-- sqlite3 shell; `sqlite3 sales.db < sales.sql` does the same by hand.
-- The column types are those of the report database: char(n) is padded
-- with blanks, a date is written as text, money has two decimals.

create table sales (
    region   char(8)     not null,
    salesman varchar(20) not null,
    product  varchar(20) not null,
    sold     date        not null,
    quantity integer     not null,
    price    money       not null
);

insert into sales (region, salesman, product, sold, quantity, price) values
    ('North', 'Adams', 'Brackets', '2024-04-21', 10, 2.10),
    ('North', 'Adams', 'Bolts', '2024-05-04', 100, 0.35),
    ('North', 'Adams', 'Washers', '2024-01-17', 50, 0.05),
    ('North', 'Adams', 'Bolts', '2024-01-14', 120, 0.35),
    ('North', 'Adams', 'Bolts', '2024-02-03', 200, 0.35),
    ('North', 'Adams', 'Screws', '2024-01-27', 250, 0.12),
    ('North', 'Baker', 'Brackets', '2024-06-21', 250, 2.10),
    ('North', 'Baker', 'Bolts', '2024-05-19', 120, 0.35),
    ('North', 'Baker', 'Bolts', '2024-02-02', 200, 0.35),
    ('North', 'Baker', 'Brackets', '2024-03-14', 40, 2.10),
    ('North', 'Clark', 'Washers', '2024-03-18', 500, 0.05),
    ('North', 'Clark', 'Brackets', '2024-01-19', 250, 2.10),
    ('North', 'Clark', 'Nails', '2024-02-12', 25, 0.08),
    ('North', 'Clark', 'Washers', '2024-06-03', 250, 0.05),
    ('South', 'Davis', 'Washers', '2024-02-16', 500, 0.05),
    ('South', 'Davis', 'Washers', '2024-04-25', 100, 0.05),
    ('South', 'Davis', 'Screws', '2024-05-15', 100, 0.12),
    ('South', 'Davis', 'Hinges', '2024-02-26', 40, 4.75),
    ('South', 'Evans', 'Bolts', '2024-05-10', 200, 0.35),
    ('South', 'Evans', 'Screws', '2024-03-24', 150, 0.12),
    ('South', 'Evans', 'Hinges', '2024-05-03', 25, 4.75),
    ('South', 'Evans', 'Washers', '2024-04-06', 100, 0.05),
    ('South', 'Evans', 'Brackets', '2024-04-14', 10, 2.10),
    ('East', 'Foster', 'Washers', '2024-05-26', 100, 0.05),
    ('East', 'Foster', 'Hinges', '2024-06-12', 250, 4.75),
    ('East', 'Foster', 'Screws', '2024-05-26', 150, 0.12),
    ('East', 'Foster', 'Bolts', '2024-01-09', 150, 0.35),
    ('East', 'Green', 'Bolts', '2024-06-23', 75, 0.35),
    ('East', 'Green', 'Nails', '2024-05-22', 150, 0.08),
    ('East', 'Green', 'Hinges', '2024-06-13', 500, 4.75),
    ('East', 'Green', 'Hinges', '2024-01-15', 100, 4.75),
    ('East', 'Harris', 'Washers', '2024-01-16', 10, 0.05),
    ('East', 'Harris', 'Brackets', '2024-03-05', 50, 2.10),
    ('East', 'Harris', 'Screws', '2024-04-28', 150, 0.12),
    ('East', 'Harris', 'Bolts', '2024-02-15', 120, 0.35),
    ('East', 'Harris', 'Washers', '2024-03-05', 120, 0.05),
    ('West', 'Irwin', 'Nails', '2024-04-12', 500, 0.08),
    ('West', 'Irwin', 'Screws', '2024-02-05', 25, 0.12),
    ('West', 'Irwin', 'Brackets', '2024-02-08', 500, 2.10),
    ('West', 'Irwin', 'Brackets', '2024-01-16', 250, 2.10),
    ('West', 'Irwin', 'Brackets', '2024-03-10', 10, 2.10),
    ('West', 'Irwin', 'Brackets', '2024-04-18', 100, 2.10),
    ('West', 'Jones', 'Brackets', '2024-06-28', 200, 2.10),
    ('West', 'Jones', 'Washers', '2024-06-22', 10, 0.05),
    ('West', 'Jones', 'Screws', '2024-06-26', 200, 0.12),
    ('West', 'Jones', 'Screws', '2024-04-13', 120, 0.12),
    ('West', 'Jones', 'Bolts', '2024-04-21', 120, 0.35),
    ('West', 'Jones', 'Bolts', '2024-02-03', 50, 0.35);

create table regions (
    region  char(8)     not null primary key,
    manager varchar(20) not null
);

insert into regions (region, manager) values
    ('North', 'Miller'),
    ('South', 'Novak'),
    ('East', 'Olsen'),
    ('West', 'Parker');
